// A host application for flow tests: a key host window, a clean shared session and recorded
// results. Time passes only through the main run loop's manual clock.
#ifndef ZELTO_TESTS_SDK_FLOW_FIXTURE_H_
#define ZELTO_TESTS_SDK_FLOW_FIXTURE_H_

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/run_loop.h"
#include "platform/window.h"
#include "sdk/zelto_merchant_sdk.h"
#include "sdk/zelto_session.h"

namespace zelto::testing {

// Longer than any slide or transition of the library.
inline constexpr double kSettle = 2.0;

struct Report {
  bool success;
  bool hasResponse;
  std::vector<std::string> errorCodes;  // empty when no error was given
  friend bool operator==(const Report&, const Report&) = default;
};

class RecordingRefundDelegate : public ZeltoRefundPaymentDelegate {
 public:
  void refundPaymentFlowDidFinish(bool success,
                                  std::shared_ptr<ZeltoRefundPaymentResponse> response,
                                  std::shared_ptr<ZeltoError> error) override {
    reports.push_back(
        {success, response != nullptr, error ? error->errorCodes : std::vector<std::string>{}});
  }
  std::vector<Report> reports;
};

class RecordingRequestDelegate : public ZeltoRequestPaymentDelegate {
 public:
  void requestPaymentFlowDidFinish(bool success,
                                   std::shared_ptr<ZeltoRequestPaymentResponse> response,
                                   std::shared_ptr<ZeltoError> error) override {
    reports.push_back(
        {success, response != nullptr, error ? error->errorCodes : std::vector<std::string>{}});
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

  static std::shared_ptr<ZeltoRefundPaymentRequest> validRefund() {
    return std::make_shared<ZeltoRefundPaymentRequest>("4242", "Asha Rao", "840", "25.50");
  }
  static std::shared_ptr<ZeltoPaymentRequest> validPayment() {
    return std::make_shared<ZeltoPaymentRequest>("01", "11", "4111111111111111", "Zelto Demo Store",
                                                 "5411", "Mumbai", "IN", "356", "", "", "",
                                                 "400001", "", "", "", "");
  }

  // Records each call of a refund handler.
  RefundPaymentCompletionHandler refundHandler(std::vector<Report>& reports) {
    return [&reports](bool success, std::shared_ptr<ZeltoRefundPaymentResponse> response,
                      std::shared_ptr<ZeltoError> error) {
      reports.push_back(
          {success, response != nullptr, error ? error->errorCodes : std::vector<std::string>{}});
    };
  }
  RequestPaymentCompletionHandler requestHandler(std::vector<Report>& reports) {
    return [&reports](bool success, std::shared_ptr<ZeltoRequestPaymentResponse> response,
                      std::shared_ptr<ZeltoError> error) {
      reports.push_back(
          {success, response != nullptr, error ? error->errorCodes : std::vector<std::string>{}});
    };
  }

  std::shared_ptr<platform::Window> hostWindow;
};

}  // namespace zelto::testing

#endif  // ZELTO_TESTS_SDK_FLOW_FIXTURE_H_
