// The shared session: active flow and idle timer, timeout, dismissal order.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "base/resource_bundle.h"
#include "platform/alert_controller.h"
#include "platform/notification_center.h"
#include "tests/sdk/flow_fixture.h"

namespace zelto::testing {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Counts the "ZELTOSessionTimeOut" notifications while alive.
struct TimeoutObserver {
  TimeoutObserver() {
    platform::NotificationCenter::defaultCenter().addObserver(
        this, "ZELTOSessionTimeOut", [this](const platform::Notification&) { ++count; });
  }
  ~TimeoutObserver() { platform::NotificationCenter::defaultCenter().removeObserver(this); }
  int count = 0;
};

using SessionTest = FlowTest;

TEST_F(SessionTest, EndingAFlowResetsTheSessionAtOnce) {
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  auto& s = session();
  s.totalPaymentAmount = "12.0";
  s.serviceFee = "3";
  s.cardIndex = 2;
  s.isScanned = true;
  s.sdkType = SDKType::consumer;
  s.merchantSDKEmvCoSupported = true;
  ZeltoMerchantSDK::endZeltoFlow();
  EXPECT_EQ(std::tuple(s.totalPaymentAmount, s.serviceFee, s.cardIndex, s.isScanned, s.sdkType,
                       s.merchantSDKEmvCoSupported),
            std::tuple("0.0", "0", 0, false, SDKType::merchant, false));
  EXPECT_EQ(s.requestPaymentSession->request, nullptr);
  loop().runFor(kSettle);
  EXPECT_EQ(s.activeSessionType(), ZeltoActiveFlow::none);
}

TEST_F(SessionTest, ActiveFlowSetsTheIdleTimer) {
  ZeltoConfig config;
  config.setPaymerchantTimeOutInSeconds(30);
  config.setPayFriendTimeoutInSeconds(40);
  config.setWithdrawCashTimeOutInSeconds(50);
  ZeltoMerchantSDK::setupOneTimeConfiguration(config);
  const struct {
    ZeltoActiveFlow flow;
    double timeout;
    bool timerRuns;
  } cases[] = {
      {ZeltoActiveFlow::none, kInfinity, false},     {ZeltoActiveFlow::payMerchant, 30, true},
      {ZeltoActiveFlow::payMerchantAlias, 30, true}, {ZeltoActiveFlow::payFriend, 40, true},
      {ZeltoActiveFlow::aliasPayFriend, 40, true},   {ZeltoActiveFlow::withdrawCash, 50, true},
      {ZeltoActiveFlow::refundPayment, 180, true},   {ZeltoActiveFlow::requestPayment, 180, false},
  };
  for (const auto& c : cases) {
    session().setActiveSessionType(c.flow);
    EXPECT_EQ(session().activeIdleTimeout(), c.timeout) << static_cast<int>(c.flow);
    EXPECT_EQ(session().timeoutManager().timeoutTime(),
              c.timerRuns ? std::optional(now() + c.timeout) : std::nullopt)
        << static_cast<int>(c.flow);
  }
  session().setActiveSessionType(ZeltoActiveFlow::none);
}

TEST_F(SessionTest, ActiveCurrencyCodeFollowsTheFlowsRequest) {
  EXPECT_EQ(session().activeCurrencyCode(), "356");
  auto refund = validRefund();
  refund->currencyCode = "840";
  ZeltoMerchantSDK::launchRefundPaymentFlow(refund, RefundPaymentCompletionHandler());
  EXPECT_EQ(session().activeCurrencyCode(), "840");
  settle();
  auto payment = validPayment();
  payment->currencyCode = "826";
  ZeltoMerchantSDK::launchRequestPaymentFlow(payment, RequestPaymentCompletionHandler());
  EXPECT_EQ(session().activeCurrencyCode(), "826");
  session().setActiveSessionType(ZeltoActiveFlow::payFriend);
  EXPECT_EQ(session().activeCurrencyCode(), "356");
}

TEST_F(SessionTest, EventsAndTypingRestartTheIdlePeriodUntilObservationEnds) {
  TimeoutObserver timeouts;
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  const double start = now();
  auto& manager = session().timeoutManager();
  EXPECT_EQ(manager.timeoutTime(), start + 180);
  loop().runFor(100);
  // Any event reaching the library's window counts, even one that hits nothing.
  session().sdkWindow->sendEvent(platform::Event{platform::Event::Type::kMotion, {}});
  EXPECT_EQ(manager.timeoutTime(), start + 280);
  // Typing counts even though no touch reaches the window.
  const auto field = std::make_shared<platform::TextField>();
  flowNavigation()->topViewController()->view()->addSubview(field);
  loop().runFor(100);
  field->insertText("5");
  EXPECT_EQ(manager.timeoutTime(), start + 380);
  loop().runFor(179);
  EXPECT_EQ(timeouts.count, 0);
  loop().runFor(1);
  EXPECT_EQ(timeouts.count, 1);

  // Fired: no timer until the next activity, which arms a full period.
  EXPECT_FALSE(manager.timeoutTime().has_value());
  loop().runFor(500);
  EXPECT_EQ(timeouts.count, 1);
  session().sdkWindow->sendEvent(platform::Event{});
  EXPECT_EQ(manager.timeoutTime(), now() + 180);

  // Once observation ends, neither events nor typing arm it again.
  manager.endTimeoutObservation();
  session().sdkWindow->sendEvent(platform::Event{});
  field->insertText("6");
  EXPECT_FALSE(manager.timeoutTime().has_value());
  loop().runFor(1000);
  EXPECT_EQ(timeouts.count, 1);
}

TEST_F(SessionTest, TimeoutShowsADialogWhoseOkEndsTheFlowSilently) {
  Recorder recorder;
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), recorder.handler());
  const auto field = std::make_shared<platform::TextField>();
  flowNavigation()->topViewController()->view()->addSubview(field);
  field->insertText("1");
  ASSERT_TRUE(field->isFirstResponder());
  loop().runFor(180);
  EXPECT_FALSE(field->isFirstResponder());  // the keyboard went away first
  const auto dialog = std::dynamic_pointer_cast<platform::AlertController>(
      session().sdkWindow->rootViewController()->presentedViewController());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->message, platform::localizedString("ZELTO_SESSION_TIMEOUT_DIALOG"));
  ASSERT_EQ(dialog->actions().size(), 1u);
  EXPECT_EQ(dialog->actions()[0].style, platform::AlertActionStyle::kCancel);

  loop().runFor(kSettle);
  ASSERT_EQ(tapAndSettle("OK"), host::DriveResult::kDone);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
  EXPECT_TRUE(hostWindow->isKeyWindow());
  EXPECT_TRUE(recorder.reports.empty());
}

TEST_F(SessionTest, DismissalClosesPresentedScreensTopFirstThenHidesTheWindow) {
  ZeltoMerchantSDK::launchRequestPaymentFlow(validPayment(), RequestPaymentCompletionHandler());
  const auto root = session().sdkWindow->rootViewController();
  const auto lower = std::make_shared<platform::ViewController>();
  const auto upper = std::make_shared<platform::ViewController>();
  root->present(lower, false);
  lower->present(upper, false);
  loop().runFor(kSettle);
  EXPECT_EQ(session().getTopViewController(), upper);
  std::string completion;
  ZeltoMerchantSDK::endZeltoFlow([&] {
    completion = session().activeSessionType() == ZeltoActiveFlow::none ? "flow none" : "active";
  });
  // Each screen slides away on its own, the upper one first, then the window's root view.
  loop().runFor(platform::kTransitionDuration);
  EXPECT_EQ(lower->presentedViewController(), nullptr);
  EXPECT_EQ(root->presentedViewController(), lower);
  loop().runFor(platform::kTransitionDuration);
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(session().sdkWindow->rootViewController(), root);
  EXPECT_EQ(completion, "");
  loop().runFor(0.325);
  EXPECT_EQ(completion, "flow none");
  EXPECT_EQ(session().sdkWindow->rootViewController(), nullptr);
}

TEST_F(SessionTest, LaunchReplacesTheScreenEvenDuringTheExitSlideAndKeepsTheHostWindow) {
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  const std::weak_ptr<platform::ViewController> first = session().sdkWindow->rootViewController();
  ZeltoMerchantSDK::launchRequestPaymentFlow(validPayment(), RequestPaymentCompletionHandler());
  EXPECT_TRUE(first.expired());
  loop().runFor(kSettle);
  int completions = 0;
  ZeltoMerchantSDK::endZeltoFlow([&] { ++completions; });
  loop().runFor(0.1);
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  const auto root = session().sdkWindow->rootViewController();
  loop().runFor(kSettle);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(session().sdkWindow->rootViewController(), root);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::refundPayment);
  EXPECT_TRUE(session().sdkWindow->isKeyWindow());
  settle();
  EXPECT_TRUE(hostWindow->isKeyWindow());
}

}  // namespace
}  // namespace zelto::testing
