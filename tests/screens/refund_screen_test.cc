#include "screens/refund_screen.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>

#include "../sdk/flow_fixture.h"
#include "base/language.h"
#include "platform/alert_controller.h"
#include "platform/notification_center.h"
#include "screens/cells/summary_cell.h"

namespace zelto {
namespace {

using host::DriveResult;

// Everything the host hears, as "handler true 25.50 -" or "delegate ..." lines.
class Host : public ZeltoRefundPaymentDelegate {
 public:
  void refundPaymentFlowDidFinish(bool ok, std::shared_ptr<ZeltoRefundPaymentResponse> response,
                                  std::shared_ptr<ZeltoError> error) override {
    heard.push_back(line("delegate", ok, response, error));
  }
  RefundPaymentCompletionHandler handler() {
    return [this](bool ok, auto response, auto error) {
      heard.push_back(line("handler", ok, response, error));
    };
  }
  static std::string line(const char* who, bool ok,
                          const std::shared_ptr<ZeltoRefundPaymentResponse>& response,
                          const std::shared_ptr<ZeltoError>& error) {
    return std::string(who) + (ok ? " true " : " false ") +
           (response ? response->refundAmount : "-") + (error ? " error" : " -");
  }
  std::vector<std::string> heard;
};

class RefundScreenTest : public testing::FlowTest {
 protected:
  void SetUp() override {
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    FlowTest::SetUp();
  }
  void TearDown() override {
    FlowTest::TearDown();
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
  }

  void launch(std::string currency, std::string amount, std::string name = "Asha Rao") {
    auto request = std::make_shared<ZeltoRefundPaymentRequest>(
        "1234", std::move(name), std::move(currency), std::move(amount));
    ZeltoMerchantSDK::launchRefundPaymentFlow(request, host->handler());
    loop().runFor(testing::kSettle);
  }
  static platform::Window& window() { return *session().sdkWindow; }
  static std::shared_ptr<ZELTORefundPaymentViewController> screen() {
    return std::dynamic_pointer_cast<ZELTORefundPaymentViewController>(
        flowNavigation()->viewControllers().front());
  }
  static std::string text(std::string_view identifier) {
    const auto view = host::findView(window(), identifier);
    if (auto label = std::dynamic_pointer_cast<platform::Label>(view)) return label->text;
    if (auto field = std::dynamic_pointer_cast<platform::TextField>(view)) return field->text;
    return "(none)";
  }
  // "on Refund USD 12.34" or "off REFUND": the pay button as the merchant sees it.
  static std::string payButton() {
    const auto& button = *screen()->payButton;
    return std::string(button.enabled ? "on " : "off ") + button.title();
  }
  static std::string response() { return session().refundPaymentSession->response->refundAmount; }
  // The summary's middle and bottom amounts.
  static std::string summary() {
    return text("Summary_Refund_Amount") + " | " + text("Summary_Total_After_Refund");
  }
  // Clears the amount with the delete key, then types `digits`.
  static void enter(std::string_view digits) {
    host::deleteBackward(window(), "Amount_Field", 16);
    host::typeText(window(), "Amount_Field", digits);
  }
  static std::shared_ptr<platform::AlertController> dialog() {
    return std::dynamic_pointer_cast<platform::AlertController>(session().getTopViewController());
  }

  std::shared_ptr<Host> host = std::make_shared<Host>();
};

TEST_F(RefundScreenTest, ShowsTheCardAndStartsReadyToRefundTheRequestedAmount) {
  launch("840", "100");
  EXPECT_EQ(text("Card_Holder_Name"), "Asha Rao");
  EXPECT_EQ(text("Card_Last_Four"), "Orvan ...1234");
  EXPECT_EQ(text("Amount_Field"), "USD 100.00");
  EXPECT_EQ(flowNavigation()->navigationBar()->title(), "Refund");
  EXPECT_EQ(payButton(), "on Refund USD 100.00");
  EXPECT_EQ(response(), "100.00");
  EXPECT_EQ(text("Summary_Original_Amount"), "USD 100.00");
  EXPECT_EQ(summary(), "- USD 100.00 | USD 0.00");
}

TEST_F(RefundScreenTest, RulesBetweenAndInsideTheCellsKeepTheMarginsOfTheirTexts) {
  launch("840", "100");
  const auto& form = *screen()->scrollView;
  const auto summaryTitle = host::findView(window(), "Summary_Title");
  ASSERT_NE(summaryTitle, nullptr);
  const platform::Rect text = summaryTitle->convertToWindow(summaryTitle->bounds());
  int rules = 0;
  const std::function<void(const platform::View&)> visit = [&](const platform::View& view) {
    for (const auto& child : view.subviews()) {
      if (!child->hidden && child->frame().height == 1 && child->subviews().empty()) {
        const platform::Rect rule = child->convertToWindow(child->bounds());
        EXPECT_EQ(rule.x, text.x);
        EXPECT_EQ(rule.maxX(), text.maxX());
        ++rules;
      }
      visit(*child);
    }
  };
  visit(form);
  EXPECT_GE(rules, 3);  // under each cell, and the summary's own above its total
}

TEST_F(RefundScreenTest, AmountsAboveTheRequestOrOfZeroDisableThePayButton) {
  launch("840", "100");
  struct Step {
    const char* digits;
    const char* field;
    const char* button;
    const char* response;  // the last valid amount
    const char* summary;
  };
  // The response keeps the last valid amount on the way: deleting and typing pass through
  // amounts of their own (deleting 100.01 passes 10.00, 1.00, 0.10 and 0.01).
  const Step steps[] = {
      {"10001", "USD 100.01", "off REFUND", "10.00", "- USD 0.00 | USD 100.00"},
      {"", "USD 0.00", "off REFUND", "0.01", "- USD 0.00 | USD 100.00"},
      {"1", "USD 0.01", "on Refund USD 0.01", "0.01", "- USD 0.01 | USD 99.99"},
      {"10000", "USD 100.00", "on Refund USD 100.00", "100.00", "- USD 100.00 | USD 0.00"},
      {"2550", "USD 25.50", "on Refund USD 25.50", "25.50", "- USD 25.50 | USD 74.50"},
      {"9999999999999", "USD 99,999,999,999.99", "off REFUND", "99.99", "- USD 0.00 | USD 100.00"},
  };
  for (const Step& step : steps) {
    enter(step.digits);
    EXPECT_EQ(text("Amount_Field"), step.field) << step.digits;
    EXPECT_EQ(payButton(), step.button) << step.digits;
    EXPECT_EQ(response(), step.response) << step.digits;
    EXPECT_EQ(summary(), step.summary) << step.digits;
  }
  // One more digit goes over the maximum; the delete key brings the amount back.
  enter("1234");
  host::typeText(window(), "Amount_Field", "5");
  EXPECT_EQ(payButton(), "off REFUND");
  EXPECT_EQ(response(), "12.34");
  host::deleteBackward(window(), "Amount_Field", 1);
  EXPECT_EQ(payButton(), "on Refund USD 12.34");
  EXPECT_EQ(summary(), "- USD 12.34 | USD 87.66");
}

TEST_F(RefundScreenTest, CurrenciesAndDeviceLocalesEnterShowAndReportTheSameAmount) {
  struct Case {
    const char* device;
    const char* currency;
    const char* maximum;
    const char* digits;
    const char* field;
    const char* button;
    const char* response;
  };
  // The response is the last valid amount typed on the way ("1501" passes 150).
  const Case cases[] = {
      {"en_US.UTF-8", "392", "1500", "1234", "JPY 1,234", "on Refund JPY 1,234", "1234"},
      {"en_US.UTF-8", "392", "1500", "1501", "JPY 1,501", "off REFUND", "150"},
      {"en_US.UTF-8", "414", "2.5", "2500", "KWD 2.500", "on Refund KWD 2.500", "2.500"},
      {"en_US.UTF-8", "414", "2.5", "2501", "KWD 2.501", "off REFUND", "0.250"},
      {"de_DE.UTF-8", "840", "2000", "123456", "USD 1.234,56", "on Refund USD 1.234,56", "1234.56"},
      {"de_DE.UTF-8", "978", "0.5", "51", "EUR 0,51", "off REFUND", "0.05"},
      {"hi_IN.UTF-8", "356", "200000", "12345678", "INR 1,23,456.78", "on Refund INR 1,23,456.78",
       "123456.78"},
      {"ar.UTF-8", "840", "2000", "123456", "USD 1٬234٫56", "on Refund USD 1٬234٫56", "1234.56"},
      {"ar.UTF-8", "392", "99", "100", "JPY 100", "off REFUND", "10"},
  };
  // Amounts follow the device's locale whatever the language of the texts, English here.
  ASSERT_TRUE(platform::setLanguage("en"));
  for (const Case& c : cases) {
    ::setenv("LC_ALL", c.device, 1);
    launch(c.currency, c.maximum);
    enter(c.digits);
    const std::string where = std::string(c.device) + " " + c.currency + " " + c.digits;
    EXPECT_EQ(text("Amount_Field"), c.field) << where;
    EXPECT_EQ(payButton(), c.button) << where;
    EXPECT_EQ(response(), c.response) << where;
    settle();
  }
  platform::useDeviceLanguage();
}

TEST_F(RefundScreenTest, ConfirmationNamesHolderAndAmountAndCancelChangesNothing) {
  launch("840", "25.50", "Ravi [%name] Kumar");
  enter("1234");
  ASSERT_EQ(tapAndSettle("PAY_BUTTON"), DriveResult::kDone);
  ASSERT_NE(dialog(), nullptr);
  // The dialog's title and buttons are in the host script refund; here a name holding a
  // placeholder is shown as it is, and the pay button is behind the dialog.
  EXPECT_EQ(dialog()->message, "Refund USD 12.34 to Ravi [%name] Kumar?");
  EXPECT_EQ(host::tap(window(), "PAY_BUTTON"), DriveResult::kNotFound);

  ASSERT_EQ(host::selectAlertAction(window(), "Cancel"), DriveResult::kDone);
  loop().runFor(testing::kSettle);
  EXPECT_EQ(dialog(), nullptr);
  EXPECT_EQ(payButton(), "on Refund USD 12.34");
  EXPECT_EQ(response(), "12.34");
  EXPECT_TRUE(host->heard.empty());

  // The name is put in first, then every "[%value]", the name's own included; placeholders
  // close together, and in the order a translation may put them, are each replaced.
  EXPECT_EQ(ZELTORefundPaymentViewController::confirmationMessage(
                "[%name], [%value]; [%name][%value] [%value%]", "A [%value]", "USD 1.00"),
            "A USD 1.00, USD 1.00; A USD 1.00USD 1.00 [%value%]");
  EXPECT_EQ(ZELTORefundPaymentViewController::confirmationMessage("[%value] → [%name]", "[%name]",
                                                                  "USD 1.00"),
            "USD 1.00 → [%name]");
}

TEST_F(RefundScreenTest, ContinueReportsOnceToTheHandlerElseTheDelegateAndLocksTheScreen) {
  struct Case {
    bool handler;
    bool delegate;
    std::vector<std::string> heard;
  };
  const Case cases[] = {
      {true, true, {"handler true 12.34 -"}},
      {false, true, {"delegate true 12.34 -"}},
      {false, false, {}},
  };
  for (const Case& c : cases) {
    host->heard.clear();
    auto request = validRefund();
    if (c.handler) {
      // The delegate form keeps the handler stored first; the handler wins.
      ZeltoMerchantSDK::launchRefundPaymentFlow(request, host->handler());
      ZeltoMerchantSDK::launchRefundPaymnetFlow(request, host);
    } else {
      ZeltoMerchantSDK::launchRefundPaymnetFlow(request, c.delegate ? host : nullptr);
    }
    loop().runFor(testing::kSettle);
    enter("1234");
    ASSERT_EQ(tapAndSettle("PAY_BUTTON"), DriveResult::kDone);
    ASSERT_EQ(host::tap(window(), "Continue_Button"), DriveResult::kDone);
    loop().runFor(testing::kSettle);
    EXPECT_EQ(host->heard, c.heard);
    // Nothing more can be confirmed until the host ends the flow; the busy button itself is in
    // the host script refund.
    EXPECT_EQ(tapAndSettle("PAY_BUTTON"), DriveResult::kNotInteractive);
    host::typeText(window(), "Amount_Field", "5");
    EXPECT_EQ(host->heard, c.heard);
    settle();
  }
}

// The timeout coming with the confirmation open, keys and taps restarting it, and OK ending the
// flow without a report are in the host script refund-timeout; here the timeout's dialog is
// presented by the confirmation, not in its place.
TEST_F(RefundScreenTest, TheTimeoutDialogIsPresentedOverTheConfirmation) {
  launch("840", "100");
  ASSERT_EQ(tapAndSettle("PAY_BUTTON"), DriveResult::kDone);
  const auto confirmation = dialog();
  ASSERT_NE(confirmation, nullptr);
  loop().runFor(180);
  ASSERT_NE(dialog(), confirmation);
  EXPECT_EQ(dialog()->presentingViewController(), confirmation);
}

TEST_F(RefundScreenTest, EndedFlowsLeaveNoScreenCellOrObserverBehind) {
  auto& center = platform::NotificationCenter::defaultCenter();
  const auto observers = center.observerCount(platform::kKeyboardWillShowNotification);
  for (int flow = 0; flow < 1000; ++flow) {
    launch("840", "25.50");
    std::weak_ptr<platform::ViewController> shown = screen();
    std::weak_ptr<platform::View> summary = screen()->scrollView->cell(CellType::summary);
    enter("1234");
    tapAndSettle("PAY_BUTTON");
    host::selectAlertAction(window(), "Continue");
    loop().runFor(testing::kSettle);
    settle();
    ASSERT_TRUE(shown.expired()) << flow;
    ASSERT_TRUE(summary.expired()) << flow;
  }
  EXPECT_EQ(host->heard.size(), 1000u);
  EXPECT_EQ(center.observerCount(platform::kKeyboardWillShowNotification), observers);
}

}  // namespace
}  // namespace zelto
