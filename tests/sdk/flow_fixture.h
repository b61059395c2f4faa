// A host application for flow tests: a key host window, a clean shared session and recorded
// results. Time passes only through the main run loop's manual clock.
#ifndef ZELTO_TESTS_SDK_FLOW_FIXTURE_H_
#define ZELTO_TESTS_SDK_FLOW_FIXTURE_H_

#include <gtest/gtest.h>
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <memory>
#include <vector>

#include "host/ui_driver.h"
#include "platform/navigation_controller.h"
#include "platform/window.h"
#include "sdk/session.h"

namespace zelto::testing {

// Longer than any slide or transition of the library.
inline constexpr double kSettle = 2.0;

struct Report {
  bool success;
  bool hasResponse;
  std::vector<std::string> errorCodes;  // empty when no error was given
  friend bool operator==(const Report&, const Report&) = default;
};

// Records every result of either flow, given to it as a delegate or through handler().
class Recorder : public ZeltoRefundPaymentDelegate, public ZeltoRequestPaymentDelegate {
 public:
  void refundPaymentFlowDidFinish(bool ok, std::shared_ptr<ZeltoRefundPaymentResponse> r,
                                  std::shared_ptr<ZeltoError> e) override {
    record(ok, r != nullptr, e);
  }
  void requestPaymentFlowDidFinish(bool ok, std::shared_ptr<ZeltoRequestPaymentResponse> r,
                                   std::shared_ptr<ZeltoError> e) override {
    record(ok, r != nullptr, e);
  }
  auto handler() {
    return [this](bool ok, const auto& r, std::shared_ptr<ZeltoError> e) {
      record(ok, r != nullptr, e);
    };
  }
  void record(bool ok, bool hasResponse, const std::shared_ptr<ZeltoError>& e) {
    reports.push_back({ok, hasResponse, e ? e->errorCodes : std::vector<std::string>{}});
  }
  std::vector<Report> reports;
};

class FlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settle();
    ZeltoMerchantSDK::setupOneTimeConfiguration(ZeltoConfig());
    hostWindow = std::make_shared<platform::Window>();
    hostWindow->makeKeyAndVisible();
  }
  void TearDown() override { settle(); }

  // Ends whatever flow is on screen and lets every animation finish.
  static void settle() {
    ZeltoMerchantSDK::endZeltoFlow();
    platform::RunLoop::main().runFor(kSettle);
  }

  static ZeltoSession& session() { return ZeltoSession::sharedSession(); }
  static platform::RunLoop& loop() { return platform::RunLoop::main(); }
  static double now() { return loop().now(); }
  static std::shared_ptr<platform::NavigationController> flowNavigation() {
    return std::dynamic_pointer_cast<platform::NavigationController>(
        session().sdkWindow->rootViewController());
  }
  // Taps the control with `identifier` in the library's window and lets the result settle.
  static host::DriveResult tapAndSettle(std::string_view identifier) {
    const auto result = host::tap(*session().sdkWindow, identifier);
    loop().runFor(kSettle);
    return result;
  }

  static std::shared_ptr<ZeltoRefundPaymentRequest> validRefund() {
    return std::make_shared<ZeltoRefundPaymentRequest>("4242", "Asha Rao", "840", "25.50");
  }
  static std::shared_ptr<ZeltoPaymentRequest> validPayment() {
    return std::make_shared<ZeltoPaymentRequest>("01", "11", "4111111111111111", "Zelto Demo Store",
                                                 "5411", "Mumbai", "IN", "356", "", "", "",
                                                 "400001", "", "", "", "");
  }

  std::shared_ptr<platform::Window> hostWindow;
};

}  // namespace zelto::testing

#endif  // ZELTO_TESTS_SDK_FLOW_FIXTURE_H_
