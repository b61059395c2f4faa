// The two flows driven as a host drives them: launch, results, and the ways a flow ends.
#include <gtest/gtest.h>

#include "base/debug_console.h"
#include "results/string_constants.h"
#include "screens/qr_screen.h"
#include "sdk/flow_navigation_controller.h"
#include "tests/sdk/flow_fixture.h"

namespace zelto::testing {
namespace {

class LaunchTest : public FlowTest {
 protected:
  static std::shared_ptr<ZeltoMerchantNavigationController> merchantNavigation() {
    return std::dynamic_pointer_cast<ZeltoMerchantNavigationController>(flowNavigation());
  }
  static std::shared_ptr<ZELTORequestPaymentViewController> qrScreen() {
    return std::dynamic_pointer_cast<ZELTORequestPaymentViewController>(
        flowNavigation()->topViewController());
  }
  static void finishRefund(bool success, std::shared_ptr<ZeltoError> error = nullptr) {
    session().refundPaymentSession->sendUpdateForCompletedFlow(success, std::move(error));
  }
};

TEST_F(LaunchTest, InvalidRequestIsReportedOnceInsideTheLaunchAndChangesNothing) {
  Recorder first;
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), first.handler());
  const auto root = session().sdkWindow->rootViewController();
  const auto request = session().refundPaymentSession->request;

  const auto invalid = std::make_shared<Recorder>();
  auto refund = validRefund();
  refund->last4 = "";
  auto payment = validPayment();
  payment->merchantName = "";
  ZeltoMerchantSDK::launchRefundPaymentFlow(refund, invalid->handler());
  ZeltoMerchantSDK::launchRequestPaymentFlow(payment, invalid->handler());
  ZeltoMerchantSDK::launchRefundPaymnetFlow(nullptr, invalid);
  ZeltoMerchantSDK::launchRequestPaymentFlow(nullptr, invalid);
  const std::vector<Report> expected = {
      {false, false, {std::string(StringConstants::LAST_FOUR_DIGITS_CANNOT_BE_EMPTY)}},
      {false, false, {std::string(StringConstants::MERCHANT_NAME_NOT_VALID)}},
      {false, false, {"Refund request is missing"}},
      {false, false, {"Payment request is missing"}}};
  EXPECT_EQ(invalid->reports, expected);

  // The flow on screen keeps its screen, request, idle timer and handler.
  EXPECT_EQ(session().sdkWindow->rootViewController(), root);
  EXPECT_EQ(session().refundPaymentSession->request, request);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::refundPayment);
  finishRefund(true);
  loop().runFor(1000);
  EXPECT_EQ(first.reports, (std::vector<Report>{{true, true, {}}}));
  EXPECT_EQ(invalid->reports, expected);
}

TEST_F(LaunchTest, RequestPaymentFlowShowsTheQrScreenWithoutAnIdleTimer) {
  const auto request = validPayment();
  ZeltoMerchantSDK::launchRequestPaymentFlow(request, RequestPaymentCompletionHandler());
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::requestPayment);
  EXPECT_FALSE(session().timeoutManager().timeoutTime().has_value());
  const auto nav = merchantNavigation();
  const auto screen = qrScreen();
  ASSERT_TRUE(nav && screen);
  EXPECT_EQ(screen->qrCodeTlv(), request->getTLV());

  // The window's root view slides up from just below the screen over 0.325 s, easing out.
  const auto& rootView = nav->view();
  const double height = rootView->frame().height;
  EXPECT_EQ(rootView->presentationFrame().y, height);
  loop().runFor(0.16);
  EXPECT_GT(rootView->presentationFrame().y, 0);
  EXPECT_LT(rootView->presentationFrame().y, height / 2);
  loop().runFor(0.16);
  EXPECT_GT(rootView->presentationFrame().y, 0);
  loop().runFor(0.005);
  EXPECT_EQ(rootView->presentationFrame().y, 0);

  // The payload is rebuilt from the host's request each time the screen appears again.
  request->transactionAmount = "99.00";
  nav->pushViewController(std::make_shared<platform::ViewController>(), true);
  nav->popViewController(true);
  EXPECT_NE(screen->qrCodeTlv().value_or("").find("540599.00"), std::string::npos);
}

TEST_F(LaunchTest, ResultsGoToTheHandlerBeforeTheDelegateUntilTheFlowEnds) {
  const auto delegate = std::make_shared<Recorder>();
  // A success drops any error and carries a response; a failure the error and no response.
  ZeltoMerchantSDK::launchRefundPaymnetFlow(validRefund(), delegate);
  finishRefund(true, std::make_shared<ZeltoError>("ignored"));
  finishRefund(false, std::make_shared<ZeltoError>("declined"));
  EXPECT_EQ(delegate->reports,
            (std::vector<Report>{{true, true, {}}, {false, false, {"declined"}}}));
  EXPECT_TRUE(session().sdkWindow->isKeyWindow());

  // The handler form clears the delegate left by the earlier launch.
  std::vector<std::shared_ptr<ZeltoRefundPaymentResponse>> seen;
  ZeltoMerchantSDK::launchRefundPaymentFlow(
      validRefund(), [&](bool, auto response, auto) { seen.push_back(response); });
  EXPECT_EQ(session().refundPaymentSession->delegate, nullptr);
  finishRefund(true);
  EXPECT_EQ(seen, std::vector{session().refundPaymentSession->response});
  // A delegate launch while the handler is still stored reports to the handler only.
  ZeltoMerchantSDK::launchRefundPaymnetFlow(validRefund(), delegate);
  finishRefund(true);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(delegate->reports.size(), 2u);
  // After the flow ends, the delegate form is back in charge.
  settle();
  ZeltoMerchantSDK::launchRefundPaymnetFlow(validRefund(), delegate);
  finishRefund(true);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(delegate->reports.size(), 3u);
}

TEST_F(LaunchTest, EndFlowWithNoRootScreenNeverRunsItsCompletion) {
  int completions = 0;
  ZeltoMerchantSDK::endZeltoFlow([&] { ++completions; });  // before any flow
  Recorder recorder;
  ZeltoMerchantSDK::launchRequestPaymentFlow(validPayment(), recorder.handler());
  loop().runFor(kSettle);
  ASSERT_EQ(tapAndSettle("Back_Button"), host::DriveResult::kDone);  // the back button ends it
  ASSERT_EQ(session().sdkWindow->rootViewController(), nullptr);
  ZeltoMerchantSDK::endZeltoFlow([&] { ++completions; });                  // after the back button
  ZeltoMerchantSDK::launchRefundPaymentFlow(nullptr, recorder.handler());  // refused
  ZeltoMerchantSDK::endZeltoFlow([&] { ++completions; });
  loop().runFor(kSettle);
  EXPECT_EQ(completions, 0);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
}

TEST_F(LaunchTest, EndFlowDropsCallbacksAtOnceAndCompletesAfterTheSlide) {
  Recorder recorder;
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), recorder.handler());
  loop().runFor(kSettle);
  std::vector<std::string> steps;
  ZeltoMerchantSDK::endZeltoFlow([&] {
    steps.push_back(session().activeSessionType() == ZeltoActiveFlow::none ? "flow none"
                                                                           : "flow active");
    steps.push_back(hostWindow->isKeyWindow() ? "host key" : "host not key");
  });
  finishRefund(true);
  loop().runFor(0.3);
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::refundPayment);
  loop().runFor(0.03);
  EXPECT_EQ(steps, (std::vector<std::string>{"flow none", "host key"}));
  EXPECT_TRUE(session().sdkWindow->hidden);
  EXPECT_EQ(session().sdkWindow->rootViewController(), nullptr);
  EXPECT_FALSE(session().timeoutManager().timeoutTime().has_value());
  EXPECT_TRUE(recorder.reports.empty());
}

TEST_F(LaunchTest, BackButtonGoesBackOneScreenThenEndsTheFlowSilently) {
  Recorder recorder;
  ZeltoMerchantSDK::launchRequestPaymentFlow(validPayment(), recorder.handler());
  const std::weak_ptr<platform::ViewController> root = session().sdkWindow->rootViewController();
  loop().runFor(kSettle);
  const auto details = std::make_shared<platform::ViewController>();
  flowNavigation()->pushViewController(details, false);
  EXPECT_GT(details->view()->presentationFrame().x, 0);  // pushes always slide
  loop().runFor(kSettle);
  session().requestPaymentSession->isUpdated = true;

  ASSERT_EQ(tapAndSettle("Back_Button"), host::DriveResult::kDone);
  EXPECT_EQ(flowNavigation()->viewControllers().size(), 1u);
  EXPECT_FALSE(session().requestPaymentSession->isUpdated);
  EXPECT_TRUE(session().sdkWindow->isKeyWindow());
  ASSERT_EQ(tapAndSettle("Back_Button"), host::DriveResult::kDone);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
  EXPECT_TRUE(hostWindow->isKeyWindow());
  EXPECT_TRUE(session().sdkWindow->hidden);
  EXPECT_TRUE(root.expired());
  EXPECT_TRUE(recorder.reports.empty());
}

TEST_F(LaunchTest, ConfigurationIsRefusedDuringAFlowAndStyledTheNext) {
  ZeltoConfig dark;
  dark.backgroundColor = platform::Color::black();
  dark.actionButtonActiveColor = platform::Color::gray();
  dark.issuerBackButton = platform::Image();
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
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  const auto nav = merchantNavigation();
  ASSERT_NE(nav, nullptr);
  EXPECT_EQ(nav->navigationBar()->barTintColor, platform::Color::black());
  const auto& items = nav->topViewController()->navigationItem().leftBarButtonItems;
  ASSERT_EQ(items.size(), 2u);
  const auto button = std::dynamic_pointer_cast<platform::Button>(items[1]->customView());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->image(), platform::Image());
  EXPECT_EQ(button->backgroundColorForState(platform::ControlState::kHighlighted),
            platform::Color::gray());

  // A screen with a back item of its own gets a plain image item there instead.
  auto screen = std::make_shared<platform::ViewController>();
  screen->navigationItem().backBarButtonItem = platform::BarButtonItem::fixedSpace(1);
  nav->addLeftBarButtonItem(screen->navigationItem());
  EXPECT_EQ(screen->navigationItem().backBarButtonItem->kind(),
            platform::BarButtonItem::Kind::kImage);
  EXPECT_TRUE(screen->navigationItem().leftBarButtonItems.empty());
}

TEST_F(LaunchTest, EndingTheFlowWhileTheTimeoutDialogClosesLeavesNoScreenBehind) {
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  const std::weak_ptr<platform::ViewController> root = session().sdkWindow->rootViewController();
  const std::weak_ptr<platform::ViewController> screen = flowNavigation()->topViewController();
  loop().runFor(180 + kSettle);
  const std::weak_ptr<platform::ViewController> dialog = session().getTopViewController();
  ASSERT_NE(dialog.lock(), screen.lock());
  ASSERT_EQ(host::tap(*session().sdkWindow, "OK"), host::DriveResult::kDone);
  int completions = 0;
  ZeltoMerchantSDK::endZeltoFlow([&] { ++completions; });
  loop().runFor(kSettle);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
  EXPECT_TRUE(hostWindow->isKeyWindow());
  EXPECT_TRUE(root.expired() && screen.expired() && dialog.expired());
}

}  // namespace
}  // namespace zelto::testing
