// Every screen in every language: driven by the same identifiers as in English, the QR code read
// back, right-to-left screens mirrored, and every text drawn whole inside its view.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/language.h"
#include "platform/alert_controller.h"
#include "platform/renderer.h"
#include "screens/currency_sheet.h"
#include "screens/qr_snap_view.h"
#include "sdk/session_constants.h"
#include "tests/screens/drawn_image.h"
#include "tests/screens/screen_fixture.h"

namespace zelto::testing {
namespace {

using host::DriveResult;

class LanguagesTest : public ScreensTest {
 protected:
  void SetUp() override {
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    ScreensTest::SetUp();
  }
  void TearDown() override {
    ScreensTest::TearDown();
    platform::useDeviceLanguage();
  }

  // Each shown view of the window whose text is cut short or runs out of it, as
  // "screen: identifier or text".
  static void collectClipped(const platform::View& view, const std::string& screen,
                             std::vector<std::string>& clipped) {
    if (view.hidden || view.alpha <= 0) return;
    if (!platform::drawsTextWhole(view)) {
      std::string name = view.accessibilityIdentifier;
      if (const auto* label = dynamic_cast<const platform::Label*>(&view))
        name += " " + label->text;
      if (const auto* bar = dynamic_cast<const platform::NavigationBar*>(&view)) {
        name += " " + bar->title();
      }
      if (const auto* button = dynamic_cast<const platform::Button*>(&view)) {
        name += " " + button->title(button->state());
      }
      clipped.push_back(screen + ": " + name);
    }
    for (const auto& child : view.subviews()) collectClipped(*child, screen, clipped);
  }

  static platform::Rect shown(std::string_view identifier) {
    const auto view = host::findView(window(), identifier);
    return view ? view->convertToWindow(view->bounds()) : platform::Rect{};
  }
  static double middle(const platform::Rect& r) { return r.x + r.width / 2; }
};

TEST_F(LanguagesTest, EveryScreenRunsMirrorsWhereItShouldAndDrawsItsTextsWhole) {
  std::vector<std::string> clipped;
  for (const std::string_view language : platform::supportedLanguages()) {
    const std::string lang(language);
    SCOPED_TRACE(lang);
    ASSERT_TRUE(platform::setLanguage(lang));
    const bool rtl = platform::isRightToLeft(lang);
    const auto fits = [&](const std::string& screen) {
      collectClipped(window(), lang + " " + screen, clipped);
    };
    // Sides as the merchant sees them: `leading` is on the right in Arabic.
    const double half = window().bounds().width / 2;
    const auto onLeadingSide = [&](const platform::Rect& r) {
      return rtl ? middle(r) > half : middle(r) < half;
    };

    // The QR screen: the code reads back as the payload whatever the language.
    auto request = dollarRequest();
    request->merchantName = "Café Zürich";
    launch(request);
    ASSERT_NE(qrScreen(), nullptr);
    const auto payload = qrScreen()->qrCodeTlv();
    ASSERT_TRUE(payload.has_value());
    EXPECT_EQ(DrawnImage(platform::renderWindow(window())).readQr(), payload);
    EXPECT_TRUE(onLeadingSide(shown(StringConstants::BACK_BUTTON_IDENTIFIER)));
    EXPECT_FALSE(onLeadingSide(shown("Save_To_Gallery_Button")));
    // The column is centred: the code stands where it does in English.
    const platform::Rect code = shown("Scan_To_Pay_Label");
    EXPECT_NEAR(middle(code), half, 1);
    EXPECT_EQ(host::findView(window(), "Supported_Networks")->effectiveLayoutDirection(),
              platform::LayoutDirection::kLeftToRight);
    fits("qr");
    // The share image's texts are English in every language, and set as English is.
    const auto snap = qrScreen()->createQRSnapView();
    for (const auto& label : {snap->generatedOnLabel, snap->hintLabel}) {
      EXPECT_EQ(label->effectiveLayoutDirection(), platform::LayoutDirection::kLeftToRight)
          << label->text;
    }

    // The details screen with a field and its hint shown, and an amount typed.
    openDetails();
    ASSERT_EQ(toggle("Bill_Number_Switch"), DriveResult::kDone);
    ASSERT_TRUE(type("Amount_Field", "1250").refusedKeys.empty());
    // The switch at the trailing end of its row, its title before it.
    const platform::Rect toggleFrame = shown("Bill_Number_Switch");
    const platform::Rect title = shown("Bill_Number_Title");
    EXPECT_FALSE(onLeadingSide(toggleFrame));
    EXPECT_EQ(rtl, title.x > toggleFrame.x);
    fits("details");
    ASSERT_EQ(tapAndSettle("Update_Payment_Details_Button"), DriveResult::kDone);
    EXPECT_EQ(DrawnImage(platform::renderWindow(window())).readQr(), qrScreen()->qrCodeTlv());
    EXPECT_NE(qrScreen()->qrCodeTlv(), payload);
    fits("qr with amount");

    // The currency sheet over the flow.
    ZELTOCurrencySelectionView::presentOver(window(), {});
    loop().runFor(kSettle);
    EXPECT_FALSE(onLeadingSide(shown("Currency_Close_Button")));
    fits("currencies");
    settle();

    // The refund screen, its confirmation and the busy button.
    ZeltoMerchantSDK::launchRefundPaymentFlow(FlowTest::validRefund(), recorder.handler());
    loop().runFor(kSettle);
    // Amounts on the trailing side of their labels.
    EXPECT_FALSE(onLeadingSide(shown("Summary_Refund_Amount")));
    fits("refund");
    ASSERT_EQ(erase("Amount_Field", 1).status, DriveResult::kDone);
    ASSERT_EQ(tapAndSettle("PAY_BUTTON"), DriveResult::kDone);
    // The first action (Cancel) on the leading side of the second.
    const auto dialog =
        std::dynamic_pointer_cast<platform::AlertController>(session().getTopViewController());
    ASSERT_NE(dialog, nullptr);
    const platform::Rect cancel = shown(dialog->actions().front().title);
    const platform::Rect next = shown("Continue_Button");
    ASSERT_GT(cancel.width, 0);
    EXPECT_EQ(rtl, cancel.x > next.x);
    fits("confirmation");
    ASSERT_EQ(host::selectAlertAction(window(), "Continue_Button"), DriveResult::kDone);
    loop().runFor(kSettle);
    fits("busy");
    settle();
  }
  EXPECT_EQ(clipped, std::vector<std::string>{});
}

}  // namespace
}  // namespace zelto::testing
