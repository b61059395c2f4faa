// The two flows driven as a host drives them: launch, results, and the ways a flow ends.
#include <gtest/gtest.h>

#include "payload/tag_dictionary.h"
#include "platform/debug_console.h"
#include "platform/navigation_controller.h"
#include "platform/ui_driver.h"
#include "results/string_constants.h"
#include "screens/zelto_refund_payment_view_controller.h"
#include "screens/zelto_request_payment_view_controller.h"
#include "sdk/zelto_merchant_sdk_version.h"
#include "sdk/zelto_navigation_controller.h"
#include "tests/sdk/flow_fixture.h"

namespace zelto::testing {
namespace {

std::shared_ptr<platform::NavigationController> flowNavigation() {
  return std::dynamic_pointer_cast<platform::NavigationController>(
      ZeltoSession::sharedSession().sdkWindow->rootViewController());
}

class LaunchTest : public FlowTest {};

TEST_F(LaunchTest, InvalidRequestIsReportedOnceInsideTheLaunchAndShowsNothing) {
  std::vector<Report> refundReports;
  auto refund = validRefund();
  refund->last4 = "";
  ZeltoMerchantSDK::launchRefundPaymentFlow(refund, refundHandler(refundReports));
  EXPECT_EQ(refundReports,
            (std::vector<Report>{
                {false, false, {std::string(StringConstants::LAST_FOUR_DIGITS_CANNOT_BE_EMPTY)}}}));

  std::vector<Report> requestReports;
  auto payment = validPayment();
  payment->merchantName = "";
  ZeltoMerchantSDK::launchRequestPaymentFlow(payment, requestHandler(requestReports));
  EXPECT_EQ(requestReports,
            (std::vector<Report>{
                {false, false, {std::string(StringConstants::MERCHANT_NAME_NOT_VALID)}}}));

  auto refundDelegate = std::make_shared<RecordingRefundDelegate>();
  ZeltoMerchantSDK::launchRefundPaymnetFlow(nullptr, refundDelegate);
  EXPECT_EQ(refundDelegate->reports,
            (std::vector<Report>{{false, false, {"Refund request is missing"}}}));
  auto requestDelegate = std::make_shared<RecordingRequestDelegate>();
  ZeltoMerchantSDK::launchRequestPaymentFlow(nullptr, requestDelegate);
  EXPECT_EQ(requestDelegate->reports,
            (std::vector<Report>{{false, false, {"Payment request is missing"}}}));

  loop().runFor(1000);
  EXPECT_EQ(refundReports.size(), 1u);
  EXPECT_EQ(requestReports.size(), 1u);
  EXPECT_EQ(session().sdkWindow->rootViewController(), nullptr);
  EXPECT_TRUE(hostWindow->isKeyWindow());
  // The session is left inactive: no idle timer, and configuration is accepted.
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
  EXPECT_FALSE(session().timeoutManager().timeoutTime().has_value());
  EXPECT_EQ(session().refundPaymentSession->flowDidFinishCompletionHandler, nullptr);
  platform::ScopedDebugConsoleCapture console;
  ZeltoMerchantSDK::setupOneTimeConfiguration(ZeltoConfig());
  EXPECT_TRUE(console.lines().empty());
}

TEST_F(LaunchTest, FailedLaunchLeavesAFlowOnScreenUntouched) {
  std::vector<Report> first, second;
  const auto request = validRefund();
  ZeltoMerchantSDK::launchRefundPaymentFlow(request, refundHandler(first));
  const auto root = session().sdkWindow->rootViewController();
  auto invalid = validRefund();
  invalid->refundAmount = "0";
  ZeltoMerchantSDK::launchRefundPaymentFlow(invalid, refundHandler(second));
  EXPECT_EQ(second.size(), 1u);
  EXPECT_EQ(session().sdkWindow->rootViewController(), root);
  EXPECT_EQ(session().refundPaymentSession->request, request);
  session().refundPaymentSession->sendUpdateForCompletedFlow(true, nullptr);
  EXPECT_EQ(first, (std::vector<Report>{{true, true, {}}}));
  EXPECT_EQ(second.size(), 1u);
}

TEST_F(LaunchTest, RequestPaymentFlowShowsTheQrScreenWithoutAnIdleTimer) {
  std::vector<Report> reports;
  const auto request = validPayment();
  ZeltoMerchantSDK::launchRequestPaymentFlow(request, requestHandler(reports));

  EXPECT_TRUE(session().sdkWindow->isKeyWindow());
  EXPECT_FALSE(session().sdkWindow->hidden);
  EXPECT_EQ(session().hostAppWindow.lock(), hostWindow);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::requestPayment);
  EXPECT_FALSE(session().timeoutManager().timeoutTime().has_value());
  EXPECT_EQ(session().requestPaymentSession->request, request);  // the host's own object

  const auto nav = std::dynamic_pointer_cast<ZeltoMerchantNavigationController>(flowNavigation());
  ASSERT_NE(nav, nullptr);
  const auto screen =
      std::dynamic_pointer_cast<ZELTORequestPaymentViewController>(nav->topViewController());
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->view()->backgroundColor, platform::Color::white());
  EXPECT_EQ(screen->qrCodeTlv(), request->getTLV());

  // The window's root view slides up from just below the screen over 0.325 s.
  const auto& rootView = nav->view();
  const double height = rootView->frame().height;
  EXPECT_EQ(rootView->presentationFrame().y, height);
  loop().runFor(0.16);
  EXPECT_GT(rootView->presentationFrame().y, 0);
  EXPECT_LT(rootView->presentationFrame().y, height / 2);  // ease-out
  loop().runFor(0.165);
  EXPECT_EQ(rootView->presentationFrame().y, 0);

  // The payload is rebuilt each time the screen appears again.
  request->transactionAmount = "99.00";
  nav->pushViewController(std::make_shared<platform::ViewController>(), true);
  nav->popViewController(true);
  EXPECT_EQ(screen->qrCodeTlv(), request->getTLV());
  EXPECT_NE(screen->qrCodeTlv()->find("540599.00"), std::string::npos);

  loop().runFor(1000);
  EXPECT_TRUE(reports.empty());
}

TEST_F(LaunchTest, TagDictionaryRequestShowsItsOwnPayloadUntilTheFlowEnds) {
  TagDictionary tags;
  for (const auto& [tag, value] :
       std::vector<std::pair<std::string, std::string>>{{"00", "01"},
                                                        {"01", "11"},
                                                        {"02", "4111111111111111"},
                                                        {"52", "5411"},
                                                        {"53", "356"},
                                                        {"58", "IN"},
                                                        {"59", "Tag Store"},
                                                        {"60", "Pune"}}) {
    tags.set(tag, value);
  }
  const auto request = ZeltoPaymentRequest::withTagValueDictionary(tags);
  request->transactionAmount = "10.00";
  std::vector<Report> reports;
  ZeltoMerchantSDK::launchRequestPaymentFlow(request, requestHandler(reports));
  ASSERT_TRUE(reports.empty()) << reports[0].errorCodes[0];
  const auto screen = std::dynamic_pointer_cast<ZELTORequestPaymentViewController>(
      flowNavigation()->topViewController());
  ASSERT_TRUE(screen && screen->qrCodeTlv());
  EXPECT_TRUE(session().merchantSDKEmvCoSupported);
  EXPECT_TRUE(screen->qrCodeTlv()->starts_with("000201"));
  EXPECT_NE(screen->qrCodeTlv()->find("5909Tag Store"), std::string::npos);
  EXPECT_NE(screen->qrCodeTlv()->find("540510.00"), std::string::npos);
  ZeltoMerchantSDK::endZeltoFlow();
  EXPECT_FALSE(session().merchantSDKEmvCoSupported);
}

TEST_F(LaunchTest, RefundFlowReportsItsResultThroughHandlerOrDelegate) {
  // Handler form: the handler gets (true, response, no error) and the window stays.
  std::vector<Report> reports;
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), refundHandler(reports));
  const auto response = session().refundPaymentSession->response;
  response->refundAmount = "10.00";
  std::shared_ptr<ZeltoRefundPaymentResponse> seen;
  session().refundPaymentSession->flowDidFinishCompletionHandler =
      [&](bool, std::shared_ptr<ZeltoRefundPaymentResponse> r, std::shared_ptr<ZeltoError>) {
        seen = r;
      };
  session().refundPaymentSession->sendUpdateForCompletedFlow(true, nullptr);
  EXPECT_EQ(seen, response);
  EXPECT_EQ(seen->refundAmount, "10.00");
  EXPECT_TRUE(session().sdkWindow->isKeyWindow());

  // A failure carries the error and no response.
  session().refundPaymentSession->flowDidFinishCompletionHandler = refundHandler(reports);
  session().refundPaymentSession->sendUpdateForCompletedFlow(
      false, std::make_shared<ZeltoError>("declined"));
  EXPECT_EQ(reports, (std::vector<Report>{{false, false, {"declined"}}}));
}

TEST_F(LaunchTest, CallbackPrecedenceBetweenHandlerAndDelegate) {
  const auto delegate = std::make_shared<RecordingRefundDelegate>();
  std::vector<Report> handlerReports;

  // The delegate form alone reports to the delegate.
  ZeltoMerchantSDK::launchRefundPaymnetFlow(validRefund(), delegate);
  session().refundPaymentSession->sendUpdateForCompletedFlow(true, nullptr);
  EXPECT_EQ(delegate->reports, (std::vector<Report>{{true, true, {}}}));

  // The handler form clears the delegate left by the earlier launch.
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), refundHandler(handlerReports));
  EXPECT_EQ(session().refundPaymentSession->delegate, nullptr);
  session().refundPaymentSession->sendUpdateForCompletedFlow(true, nullptr);
  EXPECT_EQ(handlerReports.size(), 1u);

  // A delegate launch while the handler is still stored reports to the handler.
  ZeltoMerchantSDK::launchRefundPaymnetFlow(validRefund(), delegate);
  session().refundPaymentSession->sendUpdateForCompletedFlow(true, nullptr);
  EXPECT_EQ(handlerReports.size(), 2u);
  EXPECT_EQ(delegate->reports.size(), 1u);

  // After the flow ends, the delegate form is back in charge.
  settle();
  ZeltoMerchantSDK::launchRefundPaymnetFlow(validRefund(), delegate);
  session().refundPaymentSession->sendUpdateForCompletedFlow(true, nullptr);
  EXPECT_EQ(handlerReports.size(), 2u);
  EXPECT_EQ(delegate->reports.size(), 2u);
}

TEST_F(LaunchTest, EndFlowDropsCallbacksAtOnceAndCompletesAfterTheSlide) {
  std::vector<Report> reports;
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), refundHandler(reports));
  loop().runFor(kSettle);
  const auto record = session().refundPaymentSession;

  std::vector<std::string> steps;
  ZeltoMerchantSDK::endZeltoFlow([&] {
    steps.push_back(session().activeSessionType() == ZeltoActiveFlow::none ? "flow none"
                                                                           : "flow active");
    steps.push_back(hostWindow->isKeyWindow() ? "host key" : "host not key");
  });
  EXPECT_NE(session().refundPaymentSession, record);
  session().refundPaymentSession->sendUpdateForCompletedFlow(true, nullptr);
  loop().runFor(0.3);
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::refundPayment);
  loop().runFor(0.03);
  EXPECT_EQ(steps, (std::vector<std::string>{"flow none", "host key"}));
  EXPECT_TRUE(session().sdkWindow->hidden);
  EXPECT_EQ(session().sdkWindow->rootViewController(), nullptr);
  EXPECT_FALSE(session().timeoutManager().timeoutTime().has_value());
  EXPECT_TRUE(reports.empty());
}

TEST_F(LaunchTest, EndFlowWithNothingOnScreenStillCompletes) {
  ZeltoMerchantSDK::endZeltoFlow();
  int completions = 0;
  ZeltoMerchantSDK::endZeltoFlow([&] { ++completions; });
  EXPECT_EQ(completions, 0);
  loop().runPending();
  EXPECT_EQ(completions, 1);
  EXPECT_TRUE(hostWindow->isKeyWindow());
}

TEST_F(LaunchTest, BackButtonOnTheFirstScreenEndsTheFlowSilently) {
  std::vector<Report> reports;
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), refundHandler(reports));
  loop().runFor(kSettle);
  ASSERT_EQ(platform::tap(*session().sdkWindow, "Back_Button"), platform::DriveResult::kDone);
  loop().runFor(kSettle);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
  EXPECT_TRUE(hostWindow->isKeyWindow());
  EXPECT_TRUE(session().sdkWindow->hidden);
  EXPECT_TRUE(reports.empty());
}

TEST_F(LaunchTest, BackButtonOnAPushedScreenGoesBackOneScreen) {
  std::vector<Report> reports;
  ZeltoMerchantSDK::launchRequestPaymentFlow(validPayment(), requestHandler(reports));
  loop().runFor(kSettle);
  const auto nav = flowNavigation();
  const auto details = std::make_shared<platform::ViewController>();
  nav->pushViewController(details, false);
  // Pushes always slide, whatever the caller asked for.
  EXPECT_GT(details->view()->presentationFrame().x, 0);
  loop().runFor(kSettle);
  session().requestPaymentSession->isUpdated = true;

  ASSERT_EQ(platform::tap(*session().sdkWindow, "Back_Button"), platform::DriveResult::kDone);
  loop().runFor(kSettle);
  EXPECT_EQ(nav->viewControllers().size(), 1u);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::requestPayment);
  EXPECT_FALSE(session().requestPaymentSession->isUpdated);
  EXPECT_TRUE(session().sdkWindow->isKeyWindow());

  ASSERT_EQ(platform::tap(*session().sdkWindow, "Back_Button"), platform::DriveResult::kDone);
  loop().runFor(kSettle);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
  EXPECT_TRUE(reports.empty());
}

TEST_F(LaunchTest, ConfigurationIsRefusedDuringAFlow) {
  ZeltoConfig dark;
  dark.backgroundColor = platform::Color::black();
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  {
    platform::ScopedDebugConsoleCapture console;
    ZeltoMerchantSDK::setupOneTimeConfiguration(dark);
    EXPECT_EQ(console.lines(),
              std::vector<std::string>{"Error: Cannot set configuration during SDK Flow"});
  }
  EXPECT_EQ(session().internalConfiguration()->backgroundColor,
            ZeltoConfig::defaultSdkBackgroundColor());
  settle();
  ZeltoMerchantSDK::setupOneTimeConfiguration(dark);
  dark.backgroundColor = platform::Color::white();  // the session keeps its own copy
  EXPECT_EQ(session().internalConfiguration()->backgroundColor, platform::Color::black());

  // The next flow's screens and bar use it.
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  const auto nav = std::dynamic_pointer_cast<ZeltoMerchantNavigationController>(flowNavigation());
  ASSERT_NE(nav, nullptr);
  EXPECT_EQ(nav->navigationBar()->barTintColor, platform::Color::black());
  EXPECT_EQ(nav->navigationBar()->titleTextAttributes.font, platform::Font::boldSystemFont(20));
}

TEST_F(LaunchTest, BackButtonItemFollowsTheConfiguration) {
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  const auto nav = std::dynamic_pointer_cast<ZeltoMerchantNavigationController>(flowNavigation());
  const auto& items = nav->topViewController()->navigationItem().leftBarButtonItems;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->kind(), platform::BarButtonItem::Kind::kFixedSpace);
  EXPECT_EQ(items[0]->width(), -10);
  EXPECT_EQ(items[1]->accessibilityIdentifier, "Back_Button");
  EXPECT_EQ(items[1]->tintColor, platform::Color::white());
  const auto button = std::dynamic_pointer_cast<platform::Button>(items[1]->customView());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->image(), session().internalConfiguration()->issuerBackButton);
  EXPECT_EQ(button->backgroundColorForState(platform::ControlState::kHighlighted),
            ZeltoConfig::defaultSdkActionButtonActiveColor());

  // A screen with a back item of its own gets a plain image item there instead.
  auto screen = std::make_shared<platform::ViewController>();
  screen->navigationItem().backBarButtonItem = platform::BarButtonItem::fixedSpace(1);
  nav->addLeftBarButtonItem(screen->navigationItem());
  EXPECT_EQ(screen->navigationItem().backBarButtonItem->kind(),
            platform::BarButtonItem::Kind::kImage);
  EXPECT_TRUE(screen->navigationItem().leftBarButtonItems.empty());
}

TEST_F(LaunchTest, NoScreenOutlivesItsFlow) {
  std::weak_ptr<platform::ViewController> root, screen, dialog;
  std::vector<Report> reports;
  {
    ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), refundHandler(reports));
    root = session().sdkWindow->rootViewController();
    screen = flowNavigation()->topViewController();
    loop().runFor(180);  // the timeout dialog
    dialog = session().getTopViewController();
  }
  ASSERT_NE(dialog.lock(), screen.lock());
  settle();
  EXPECT_TRUE(root.expired());
  EXPECT_TRUE(screen.expired());
  EXPECT_TRUE(dialog.expired());

  ZeltoMerchantSDK::launchRequestPaymentFlow(validPayment(), RequestPaymentCompletionHandler());
  root = session().sdkWindow->rootViewController();
  ASSERT_EQ(platform::tap(*session().sdkWindow, "Back_Button"), platform::DriveResult::kDone);
  loop().runFor(kSettle);
  EXPECT_TRUE(root.expired());
}

TEST(VersionTest, Symbols) {
  EXPECT_EQ(ZeltoMerchantSDKVersionNumber, 1.0);
  EXPECT_STREQ(reinterpret_cast<const char*>(ZeltoMerchantSDKVersionString),
               "@(#)PROGRAM:ZeltoMerchantSDK  PROJECT:ZeltoSDK-1\n");
}

}  // namespace
}  // namespace zelto::testing
