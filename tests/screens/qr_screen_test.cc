// The QR screen: the drawn code reads back as the payload, it is rebuilt only when the payload
// changes, the network logos, and the share image.
#include <gtest/gtest.h>
#include <zelto/payload/tag_dictionary.h>

#include <functional>
#include <regex>

#include "base/resource_bundle.h"
#include "platform/activity_view_controller.h"
#include "platform/renderer.h"
#include "tests/screens/drawn_image.h"
#include "tests/screens/screen_fixture.h"

namespace zelto::testing {
namespace {

using host::DriveResult;

class QrScreenTest : public ScreensTest {
 protected:
  void TearDown() override {
    platform::setShareHandler(nullptr);
    ScreensTest::TearDown();
  }
  static std::optional<std::string> drawnPayload() {
    return DrawnImage(platform::renderWindow(window())).readQr();
  }
  // A configuration with `count` logos besides the library's own.
  static void useNetworkLogos(std::size_t count) {
    ZeltoConfig config;
    config.supportedNetworkImage =
        std::vector<platform::Image>(count, *platform::imageNamed("card_network_logo_rupay"));
    ZeltoMerchantSDK::setupOneTimeConfiguration(config);
  }
};

// Hands the share sheet's items to the test.
class ShareRecorder : public platform::ShareHandler {
 public:
  platform::ShareResult share(const std::vector<platform::Image>& items,
                              const std::vector<platform::ActivityType>&) override {
    shared = items;
    return {true, platform::ActivityType::kSaveToCameraRoll};
  }
  std::vector<platform::Image> shared;
};

struct DrawnCase {
  std::string name;
  std::function<std::shared_ptr<ZeltoPaymentRequest>()> request;
  std::function<void()> steps;  // run on the launched flow before drawing
};

TEST_F(QrScreenTest, DrawnCodeReadsBackAsExactlyThePayload) {
  const std::vector<DrawnCase> cases = {
      {"plain request", [] { return dollarRequest(); }, [] {}},
      {"tag dictionary",
       [] {
         return ZeltoPaymentRequest::withTagValueDictionary({{"00", "01"},
                                                             {"01", "12"},
                                                             {"02", "4111111111111111"},
                                                             {"52", "5812"},
                                                             {"53", "356"},
                                                             {"58", "IN"},
                                                             {"59", "Tag Café"},
                                                             {"60", "Pune"}});
       },
       [] {}},
      {"accents and CJK",
       [] {
         auto request = dollarRequest();
         request->merchantName = "Café Zürich 東京 Ñandú";
         request->cityName = "São Paulo";
         return request;
       },
       [] {}},
      {"after the details screen", [] { return dollarRequest(); },
       [] {
         openDetails();
         type("Amount_Field", "250075");
         toggle("Bill_Number_Switch");
         type("Bill_Number_Field", "INV-2041");
         toggle("Terminal_ID_Switch");
         ASSERT_EQ(tapAndSettle("Update_Payment_Details_Button"), DriveResult::kDone);
       }},
      {"tag dictionary after the details screen",
       [] {
         return ZeltoPaymentRequest::withTagValueDictionary({{"00", "01"},
                                                             {"01", "12"},
                                                             {"02", "4111111111111111"},
                                                             {"52", "5812"},
                                                             {"53", "840"},
                                                             {"58", "US"},
                                                             {"59", "東京 Store"},
                                                             {"60", "Austin"}});
       },
       [] {
         openDetails();
         type("Amount_Field", "999");
         toggle("Purpose_Switch");
         type("Purpose_Field", "Rent für März");
         ASSERT_EQ(tapAndSettle("Update_Payment_Details_Button"), DriveResult::kDone);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto request = c.request();
    launch(request);
    ASSERT_TRUE(recorder.reports.empty()) << recorder.reports[0].errorCodes[0];
    ASSERT_NE(qrScreen(), nullptr);
    c.steps();
    const auto payload = qrScreen()->qrCodeTlv();
    ASSERT_TRUE(payload.has_value());
    EXPECT_EQ(*payload, request->getTLV());
    EXPECT_EQ(drawnPayload(), payload);
    settle();
  }
}

TEST_F(QrScreenTest, CodeSitsInWholeModulesInsideItsBorder) {
  launch();
  const auto cell = qrScreen()->qrImageCellView;
  const auto symbol = *cell->qrCodeImage;
  const double side = cell->qrImageView->frame().width;
  // Each module of the symbol (quiet zone included) is a whole number of pixels at 2x.
  const double pixelsPerModule = side * 2 / symbol.size().width;
  EXPECT_EQ(pixelsPerModule, std::floor(pixelsPerModule));
  EXPECT_GE(pixelsPerModule, 2);
  const DrawnImage drawn(platform::renderWindow(window()));
  const auto frame = cell->convertToWindow(cell->bounds());
  const int midY = static_cast<int>((frame.y + frame.height / 2) * 2);
  EXPECT_EQ(drawn.hexAt(static_cast<int>(frame.x * 2), midY), "#B8BACD");
  EXPECT_EQ(drawn.hexAt(static_cast<int>(frame.x * 2) + 3, midY), "#FFFFFF");
}

TEST_F(QrScreenTest, CodeIsRebuiltOnlyWhenThePayloadChanges) {
  const auto request = launch();
  const auto cell = qrScreen()->qrImageCellView;
  const char* const first = cell->qrCodeImage->bytes().data();
  openDetails();
  ASSERT_EQ(tapAndSettle("Close_Button"), DriveResult::kDone);
  EXPECT_EQ(cell->qrCodeImage->bytes().data(), first);

  openDetails();
  type("Amount_Field", "5");
  ASSERT_EQ(tapAndSettle("Update_Payment_Details_Button"), DriveResult::kDone);
  EXPECT_NE(cell->qrCodeImage->bytes().data(), first);
  EXPECT_EQ(drawnPayload(), request->getTLV());

  // A payload too long for any symbol: the code shown before stays, and nothing is drawn anew.
  const auto shown = cell->qrImageView->image;
  std::string wide;  // 99 characters, 297 bytes: eight of them overflow the largest symbol
  for (int i = 0; i < 99; ++i) wide += "東";
  for (auto field : {&ZeltoPaymentRequest::merchantName, &ZeltoPaymentRequest::cityName,
                     &ZeltoPaymentRequest::merchantCategoryCode, &ZeltoPaymentRequest::countryCode,
                     &ZeltoPaymentRequest::mastercardPan1, &ZeltoPaymentRequest::mastercardPan2,
                     &ZeltoPaymentRequest::npciid1, &ZeltoPaymentRequest::npciid2}) {
    (*request).*field = wide;
  }
  openDetails();
  ASSERT_EQ(tapAndSettle("Close_Button"), DriveResult::kDone);
  ASSERT_GT(qrScreen()->qrCodeTlv()->size(), 2331u);
  EXPECT_EQ(cell->qrCodeImage, std::nullopt);
  EXPECT_EQ(cell->qrImageView->image, shown);
}

// Expanding to a second row of logos and collapsing again are in the host script config.
TEST_F(QrScreenTest, SixLogosMakeOneRowAndASeventhAMoreButton) {
  for (const std::size_t extra : {5u, 6u}) {
    SCOPED_TRACE(extra);
    useNetworkLogos(extra);
    launch();
    const auto networks = qrScreen()->supportedNetwork;
    EXPECT_EQ(networks->images.size(), extra + 1);
    EXPECT_EQ(networks->frame().height, 44);
    EXPECT_EQ(find<platform::Button>("Networks_More_Button") != nullptr, extra == 6);
    if (extra == 5) {
      // A full row: first and last logo at the view's edges.
      EXPECT_EQ(find<platform::View>("Network_Logo_0")->superview()->frame().x, 0);
    }
    settle();
  }
}

TEST_F(QrScreenTest, ShareImageHoldsTheCodeWithEveryNetworkAndLeavesTheScreenAsItWas) {
  useNetworkLogos(6);
  const auto request = launch();
  const auto recorder = std::make_shared<ShareRecorder>();
  platform::setShareHandler(recorder);
  const auto networks = qrScreen()->supportedNetwork;
  const auto before = qrScreen()->view()->frame();
  ASSERT_EQ(tapAndSettle("Save_To_Gallery_Button"), DriveResult::kDone);
  ASSERT_EQ(recorder->shared.size(), 1u);
  // The activities left out of the share sheet are in the host script config.
  EXPECT_EQ(DrawnImage(recorder->shared[0]).readQr(), request->getTLV());
  // The snapshot showed the second row of logos; the screen is collapsed again, unchanged.
  EXPECT_FALSE(networks->isExpanded);
  EXPECT_EQ(networks->frame().height, 44);
  EXPECT_EQ(qrScreen()->view()->frame(), before);
  EXPECT_FALSE(find<platform::Button>("Payment_Details_Button")->hidden);
  EXPECT_EQ(qrScreen()->qrSnapView, nullptr);
  EXPECT_EQ(flowNavigation()->presentedViewController(), nullptr);
}

TEST(QRSnapViewTest, DateFollowsTheDayMonthYearHourPattern) {
  EXPECT_TRUE(std::regex_match(QRSnapView::getCurrentDate(),
                               std::regex(R"(\d{2} \w{3} \d{4}, \d{1,2}:\d{2} (AM|PM))")))
      << QRSnapView::getCurrentDate();
}

}  // namespace
}  // namespace zelto::testing
