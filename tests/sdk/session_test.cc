// The shared session: active flow and idle timer, timeout, dismissal order.
#include <gtest/gtest.h>

#include <limits>

#include "platform/alert_controller.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "platform/resource_bundle.h"
#include "platform/ui_driver.h"
#include "sdk/session_constants.h"
#include "tests/sdk/flow_fixture.h"

namespace zelto::testing {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Counts the "ZELTOSessionTimeOut" notifications while alive.
class TimeoutObserver {
 public:
  TimeoutObserver() {
    platform::NotificationCenter::defaultCenter().addObserver(
        this, "ZELTOSessionTimeOut", [this](const platform::Notification& n) {
          ++count;
          withObject = withObject || n.object != nullptr;
        });
  }
  ~TimeoutObserver() { platform::NotificationCenter::defaultCenter().removeObserver(this); }
  int count = 0;
  bool withObject = false;
};

// Records when it is taken off screen.
class LoggingScreen : public platform::ViewController {
 public:
  LoggingScreen(std::string name, std::vector<std::string>* log) : name_(name), log_(log) {}

 protected:
  void viewDidDisappear(bool animated) override {
    log_->push_back(name_ + (animated ? " dismissed animated" : " dismissed"));
  }

 private:
  std::string name_;
  std::vector<std::string>* log_;
};

class SessionTest : public FlowTest {};

TEST_F(SessionTest, FreshStateAfterAFlowEnds) {
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  session().totalPaymentAmount = "12.0";
  session().serviceFee = "3";
  session().cardIndex = 2;
  session().isScanned = true;
  session().sdkType = SDKType::consumer;
  session().merchantSDKEmvCoSupported = true;
  ZeltoMerchantSDK::endZeltoFlow();
  // Reset at once, before any slide ends.
  EXPECT_EQ(session().totalPaymentAmount, "0.0");
  EXPECT_EQ(session().serviceFee, "0");
  EXPECT_EQ(session().cardIndex, 0);
  EXPECT_FALSE(session().isScanned);
  EXPECT_EQ(session().sdkType, SDKType::merchant);
  EXPECT_FALSE(session().merchantSDKEmvCoSupported);
  EXPECT_EQ(session().refundPaymentSession->request->currencyCode, "356");
  EXPECT_TRUE(session().refundPaymentSession->request->last4.empty());
  EXPECT_EQ(session().requestPaymentSession->request, nullptr);
  loop().runFor(kSettle);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
  EXPECT_EQ(session().activeIdleTimeout(), kInfinity);
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
    EXPECT_EQ(session().timeoutManager().timeoutLength, c.timeout);
    const auto fireTime = session().timeoutManager().timeoutTime();
    EXPECT_EQ(fireTime.has_value(), c.timerRuns) << static_cast<int>(c.flow);
    if (fireTime) {
      EXPECT_EQ(*fireTime, now() + c.timeout);
    }
  }
  session().setActiveSessionType(ZeltoActiveFlow::none);
}

TEST_F(SessionTest, ActiveCurrencyCodeFollowsTheFlowsRequest) {
  EXPECT_EQ(session().activeCurrencyCode(), "356");
  auto refund = validRefund();
  refund->currencyCode = "840";
  ZeltoMerchantSDK::launchRefundPaymentFlow(refund, RefundPaymentCompletionHandler());
  EXPECT_EQ(session().activeCurrencyCode(), "840");
  refund->currencyCode = "978";  // stored by reference
  EXPECT_EQ(session().activeCurrencyCode(), "978");
  settle();
  auto payment = validPayment();
  payment->currencyCode = "826";
  ZeltoMerchantSDK::launchRequestPaymentFlow(payment, RequestPaymentCompletionHandler());
  EXPECT_EQ(session().activeCurrencyCode(), "826");
  session().setActiveSessionType(ZeltoActiveFlow::payFriend);
  EXPECT_EQ(session().activeCurrencyCode(), "356");
}

TEST_F(SessionTest, ActivityRestartsTheIdlePeriod) {
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
  auto field = std::make_shared<platform::TextField>();
  field->accessibilityIdentifier = "amount";
  auto nav = std::dynamic_pointer_cast<platform::NavigationController>(
      session().sdkWindow->rootViewController());
  nav->topViewController()->view()->addSubview(field);
  loop().runFor(100);
  field->insertText("5");
  EXPECT_EQ(manager.timeoutTime(), start + 380);
  loop().runFor(179);
  EXPECT_EQ(timeouts.count, 0);
  loop().runFor(1);
  EXPECT_EQ(timeouts.count, 1);
  EXPECT_FALSE(timeouts.withObject);

  // Fired: no timer until the next activity, which arms a full period.
  EXPECT_FALSE(manager.timeoutTime().has_value());
  loop().runFor(500);
  EXPECT_EQ(timeouts.count, 1);
  session().sdkWindow->sendEvent(platform::Event{});
  EXPECT_EQ(manager.timeoutTime(), now() + 180);
}

TEST_F(SessionTest, NoTimeoutOnceObservationHasEnded) {
  TimeoutObserver timeouts;
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  auto& manager = session().timeoutManager();
  manager.endTimeoutObservation();
  session().sdkWindow->sendEvent(platform::Event{});
  platform::NotificationCenter::defaultCenter().post(platform::kTextFieldTextDidChangeNotification);
  EXPECT_FALSE(manager.timeoutTime().has_value());
  loop().runFor(1000);
  EXPECT_EQ(timeouts.count, 0);
  EXPECT_EQ(session().sdkWindow->rootViewController()->presentedViewController(), nullptr);
}

TEST_F(SessionTest, TimeoutShowsADialogWhoseOkEndsTheFlowSilently) {
  TimeoutObserver timeouts;
  std::vector<Report> reports;
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), refundHandler(reports));
  auto field = std::make_shared<platform::TextField>();
  const auto root = session().sdkWindow->rootViewController();
  std::dynamic_pointer_cast<platform::NavigationController>(root)
      ->topViewController()
      ->view()
      ->addSubview(field);
  field->insertText("1");
  ASSERT_TRUE(field->isFirstResponder());

  loop().runFor(180);
  EXPECT_EQ(timeouts.count, 1);
  EXPECT_FALSE(field->isFirstResponder());  // the keyboard went away first
  const auto dialog =
      std::dynamic_pointer_cast<platform::AlertController>(root->presentedViewController());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->title, "");
  EXPECT_EQ(dialog->message, platform::localizedString("ZELTO_SESSION_TIMEOUT_DIALOG"));
  EXPECT_EQ(dialog->preferredStyle, platform::AlertController::Style::kAlert);
  ASSERT_EQ(dialog->actions().size(), 1u);
  EXPECT_EQ(dialog->actions()[0].title, "OK");
  EXPECT_EQ(dialog->actions()[0].style, platform::AlertActionStyle::kCancel);
  // The dialog covers the flow's screen.
  EXPECT_EQ(platform::tap(*session().sdkWindow, "Back_Button"), platform::DriveResult::kNotFound);

  loop().runFor(kSettle);
  ASSERT_EQ(platform::tap(*session().sdkWindow, "OK"), platform::DriveResult::kDone);
  loop().runFor(kSettle);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
  EXPECT_TRUE(hostWindow->isKeyWindow());
  EXPECT_TRUE(reports.empty());
  loop().runFor(1000);
  EXPECT_EQ(timeouts.count, 1);
}

TEST_F(SessionTest, DismissalClosesPresentedScreensTopFirstThenHidesTheWindow) {
  std::vector<std::string> log;
  ZeltoMerchantSDK::launchRequestPaymentFlow(validPayment(), RequestPaymentCompletionHandler());
  const auto root = session().sdkWindow->rootViewController();
  const auto lower = std::make_shared<LoggingScreen>("lower", &log);
  const auto upper = std::make_shared<LoggingScreen>("upper", &log);
  root->present(lower, false);
  lower->present(upper, false);
  loop().runFor(kSettle);
  EXPECT_EQ(session().getTopViewController(), upper);

  ZeltoMerchantSDK::endZeltoFlow([&] {
    log.push_back(session().activeSessionType() == ZeltoActiveFlow::none ? "completion, flow none"
                                                                         : "completion, active");
  });
  loop().runFor(platform::kTransitionDuration);
  EXPECT_EQ(lower->presentedViewController(), nullptr);
  EXPECT_EQ(root->presentedViewController(), lower);
  loop().runFor(platform::kTransitionDuration);
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(session().sdkWindow->rootViewController(), root);  // still sliding away
  loop().runFor(0.325);
  EXPECT_EQ(log, (std::vector<std::string>{"upper dismissed animated", "lower dismissed animated",
                                           "completion, flow none"}));
  EXPECT_EQ(session().sdkWindow->rootViewController(), nullptr);
}

TEST_F(SessionTest, EndFlowWhileTheTimeoutDialogIsClosingStillEndsIt) {
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  loop().runFor(180 + kSettle);
  ASSERT_EQ(platform::tap(*session().sdkWindow, "OK"), platform::DriveResult::kDone);
  int completions = 0;
  ZeltoMerchantSDK::endZeltoFlow([&] { ++completions; });
  loop().runFor(kSettle);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::none);
  EXPECT_EQ(session().sdkWindow->rootViewController(), nullptr);
  EXPECT_TRUE(hostWindow->isKeyWindow());
}

TEST_F(SessionTest, WindowWithoutRootNeverRunsItsHideCompletion) {
  bool ran = false;
  session().sdkWindow->hideRootWindowView([&] { ran = true; });
  loop().runFor(kSettle);
  EXPECT_FALSE(ran);
}

TEST_F(SessionTest, SecondLaunchReplacesTheScreenAndKeepsTheHostWindow) {
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  const std::weak_ptr<platform::ViewController> first = session().sdkWindow->rootViewController();
  ZeltoMerchantSDK::launchRequestPaymentFlow(validPayment(), RequestPaymentCompletionHandler());
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::requestPayment);
  EXPECT_TRUE(first.expired());
  EXPECT_EQ(session().hostAppWindow.lock(), hostWindow);
  settle();
  EXPECT_TRUE(hostWindow->isKeyWindow());
}

TEST_F(SessionTest, LaunchDuringTheExitSlideKeepsTheNewFlow) {
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), RefundPaymentCompletionHandler());
  loop().runFor(kSettle);
  int completions = 0;
  ZeltoMerchantSDK::endZeltoFlow([&] { ++completions; });
  loop().runFor(0.1);
  ZeltoMerchantSDK::launchRequestPaymentFlow(validPayment(), RequestPaymentCompletionHandler());
  const auto root = session().sdkWindow->rootViewController();
  loop().runFor(kSettle);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(session().sdkWindow->rootViewController(), root);
  EXPECT_EQ(session().activeSessionType(), ZeltoActiveFlow::requestPayment);
  EXPECT_TRUE(session().sdkWindow->isKeyWindow());
}

}  // namespace
}  // namespace zelto::testing
