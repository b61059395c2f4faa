// The C interface to the flows, their results, the language and the main run loop.
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <cmath>
#include <functional>
#include <string>

#include "capi/support.h"
#include "sdk/session.h"

namespace zelto::capi {
namespace {

// A host's C callback and its user data; `release` runs once, when the library drops the last
// copy of the callback.
template <class Function>
struct Callback {
  Callback(Function function, void* userData, zelto_release_function release)
      : function(function), userData(userData), release(release) {}
  ~Callback() {
    if (release != nullptr) release(userData);
  }
  Callback(const Callback&) = delete;
  Callback& operator=(const Callback&) = delete;

  Function function;
  void* userData;
  zelto_release_function release;
};

template <class Function>
std::shared_ptr<Callback<Function>> callback(Function function, void* userData,
                                             zelto_release_function release,
                                             std::string_view argument) {
  if (function == nullptr) throwNullArgument(argument);
  return std::make_shared<Callback<Function>>(function, userData, release);
}

// Passes a flow's result to the C callback, lending it handles for the response and the error.
template <class ResponseHandle, class Response, class Function>
auto reporter(std::shared_ptr<Callback<Function>> target) {
  return [target](bool success, std::shared_ptr<Response> response,
                  std::shared_ptr<ZeltoError> error) {
    const Lent<ResponseHandle, Response> lentResponse(std::move(response));
    const Lent<zelto_error, ZeltoError> lentError(std::move(error));
    target->function(target->userData, success, lentResponse.get(), lentError.get());
  };
}

class RequestPaymentDelegate final : public ZeltoRequestPaymentDelegate {
 public:
  explicit RequestPaymentDelegate(std::shared_ptr<Callback<zelto_request_payment_result>> target)
      : report_(reporter<zelto_request_payment_response, ZeltoRequestPaymentResponse>(
            std::move(target))) {}
  void requestPaymentFlowDidFinish(bool success,
                                   std::shared_ptr<ZeltoRequestPaymentResponse> response,
                                   std::shared_ptr<ZeltoError> error) override {
    report_(success, std::move(response), std::move(error));
  }

 private:
  RequestPaymentCompletionHandler report_;
};

class RefundPaymentDelegate final : public ZeltoRefundPaymentDelegate {
 public:
  explicit RefundPaymentDelegate(std::shared_ptr<Callback<zelto_refund_payment_result>> target)
      : report_(reporter<zelto_refund_payment_response, ZeltoRefundPaymentResponse>(
            std::move(target))) {}
  void refundPaymentFlowDidFinish(bool success,
                                  std::shared_ptr<ZeltoRefundPaymentResponse> response,
                                  std::shared_ptr<ZeltoError> error) override {
    report_(success, std::move(response), std::move(error));
  }

 private:
  RefundPaymentCompletionHandler report_;
};

zelto_active_flow activeFlow(ZeltoActiveFlow flow) {
  switch (flow) {
    case ZeltoActiveFlow::none:
      return ZELTO_ACTIVE_FLOW_NONE;
    case ZeltoActiveFlow::payMerchant:
      return ZELTO_ACTIVE_FLOW_PAY_MERCHANT;
    case ZeltoActiveFlow::payMerchantAlias:
      return ZELTO_ACTIVE_FLOW_PAY_MERCHANT_ALIAS;
    case ZeltoActiveFlow::payFriend:
      return ZELTO_ACTIVE_FLOW_PAY_FRIEND;
    case ZeltoActiveFlow::withdrawCash:
      return ZELTO_ACTIVE_FLOW_WITHDRAW_CASH;
    case ZeltoActiveFlow::refundPayment:
      return ZELTO_ACTIVE_FLOW_REFUND_PAYMENT;
    case ZeltoActiveFlow::requestPayment:
      return ZELTO_ACTIVE_FLOW_REQUEST_PAYMENT;
    case ZeltoActiveFlow::aliasPayFriend:
      return ZELTO_ACTIVE_FLOW_ALIAS_PAY_FRIEND;
  }
  throw Failure{ZELTO_ERROR_INTERNAL, "the session holds an unknown flow"};
}

}  // namespace
}  // namespace zelto::capi

using namespace zelto;
using namespace zelto::capi;

extern "C" {

zelto_status zelto_error_code_count(const zelto_error* error, size_t* count, char** message) {
  return run(message, output(count, "count"), [&](size_t& out) {
    out = use(error, "error").value->errorCodes.size();
    return Outcome{};
  });
}

zelto_status zelto_error_code_at(const zelto_error* error, size_t index, char** code,
                                 char** message) {
  return run(message, output(code, "code"), [&](char*& out) {
    const ZeltoError& source = *use(error, "error").value;
    if (index >= source.errorCodes.size()) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                    "index " + std::to_string(index) + " is past the last of " +
                        std::to_string(source.errorCodes.size()) + " codes"};
    }
    out = copyText(source.errorCodes[index]);
    return Outcome{};
  });
}

zelto_status zelto_error_description(const zelto_error* error, char** description, char** message) {
  return run(message, output(description, "description"), [&](char*& out) {
    out = copyText(use(error, "error").value->description());
    return Outcome{};
  });
}

zelto_status zelto_refund_payment_response_refund_amount(
    const zelto_refund_payment_response* response, char** amount, char** message) {
  return run(message, output(amount, "amount"), [&](char*& out) {
    out = copyText(use(response, "response").value->refundAmount);
    return Outcome{};
  });
}

zelto_status zelto_launch_request_payment_flow_with_request_completion_handler(
    zelto_payment_request* request, zelto_request_payment_result completion_handler,
    void* user_data, zelto_release_function release, char** message) {
  return run(message, [&] {
    requireMainThread();
    std::shared_ptr<ZeltoPaymentRequest> value = use(request, "request").value;
    auto target = callback(completion_handler, user_data, release, "completion_handler");
    ZeltoMerchantSDK::launchRequestPaymentFlow(
        std::move(value),
        reporter<zelto_request_payment_response, ZeltoRequestPaymentResponse>(std::move(target)));
    return Outcome{};
  });
}

zelto_status zelto_launch_request_payment_flow_with_request_delegate(
    zelto_payment_request* request,
    zelto_request_payment_result request_payment_flow_did_finish_with_response_with_error,
    void* delegate, zelto_release_function release, char** message) {
  return run(message, [&] {
    requireMainThread();
    std::shared_ptr<ZeltoPaymentRequest> value = use(request, "request").value;
    auto target = callback(request_payment_flow_did_finish_with_response_with_error, delegate,
                           release, "request_payment_flow_did_finish_with_response_with_error");
    ZeltoMerchantSDK::launchRequestPaymentFlow(
        std::move(value), std::make_shared<RequestPaymentDelegate>(std::move(target)));
    return Outcome{};
  });
}

zelto_status zelto_launch_refund_payment_flow_with_request_completion_handler(
    zelto_refund_payment_request* request, zelto_refund_payment_result completion_handler,
    void* user_data, zelto_release_function release, char** message) {
  return run(message, [&] {
    requireMainThread();
    std::shared_ptr<ZeltoRefundPaymentRequest> value = use(request, "request").value;
    auto target = callback(completion_handler, user_data, release, "completion_handler");
    ZeltoMerchantSDK::launchRefundPaymentFlow(
        std::move(value),
        reporter<zelto_refund_payment_response, ZeltoRefundPaymentResponse>(std::move(target)));
    return Outcome{};
  });
}

zelto_status zelto_launch_refund_paymnet_flow_with_request_delegate(
    zelto_refund_payment_request* request,
    zelto_refund_payment_result refund_payment_flow_did_finish_with_response_with_error,
    void* delegate, zelto_release_function release, char** message) {
  return run(message, [&] {
    requireMainThread();
    std::shared_ptr<ZeltoRefundPaymentRequest> value = use(request, "request").value;
    auto target = callback(refund_payment_flow_did_finish_with_response_with_error, delegate,
                           release, "refund_payment_flow_did_finish_with_response_with_error");
    ZeltoMerchantSDK::launchRefundPaymnetFlow(
        std::move(value), std::make_shared<RefundPaymentDelegate>(std::move(target)));
    return Outcome{};
  });
}

zelto_status zelto_setup_one_time_configuration(const zelto_config* config, char** message) {
  return run(message, [&] {
    requireMainThread();
    ZeltoMerchantSDK::setupOneTimeConfiguration(use(config, "config").value);
    return Outcome{};
  });
}

zelto_status zelto_end_zelto_flow(void (*completion)(void* user_data), void* user_data,
                                  char** message) {
  return run(message, [&] {
    requireMainThread();
    std::function<void()> done;
    if (completion != nullptr) done = [completion, user_data] { completion(user_data); };
    ZeltoMerchantSDK::endZeltoFlow(std::move(done));
    return Outcome{};
  });
}

zelto_status zelto_session_active_session_type(zelto_active_flow* flow, char** message) {
  return run(message, output(flow, "flow"), [&](zelto_active_flow& out) {
    requireMainThread();
    out = activeFlow(ZeltoSession::sharedSession().activeSessionType());
    return Outcome{};
  });
}

zelto_status zelto_set_language(const char* language, char** message) {
  return run(message, [&] {
    requireMainThread();
    if (language == nullptr) {
      ZeltoMerchantSDK::useDeviceLanguage();
    } else if (!ZeltoMerchantSDK::setLanguage(readText(language, "language"))) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                    "no string table is near the language \"" + std::string(language) + "\""};
    }
    return Outcome{};
  });
}

zelto_status zelto_language(char** language, char** message) {
  return run(message, output(language, "language"), [&](char*& out) {
    out = copyText(ZeltoMerchantSDK::language());
    return Outcome{};
  });
}

zelto_status zelto_run_loop_set_clock(zelto_clock clock, char** message) {
  return run(message, [&] {
    requireMainThread();
    // Both clocks carry on from the run loop's time, so scheduled timers keep their delays.
    platform::RunLoop& loop = platform::RunLoop::main();
    switch (enumValue(clock)) {
      case ZELTO_CLOCK_MANUAL: {
        auto manual = std::make_unique<platform::ManualClock>();
        manual->waitUntil(loop.now());
        loop.setClock(std::move(manual));
        return Outcome{};
      }
      case ZELTO_CLOCK_SYSTEM:
        loop.setClock(std::make_unique<platform::SystemClock>(loop.now()));
        return Outcome{};
    }
    throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                  "clock is neither ZELTO_CLOCK_MANUAL nor ZELTO_CLOCK_SYSTEM"};
  });
}

zelto_status zelto_run_loop_now(double* now, char** message) {
  return run(message, output(now, "now"), [&](double& out) {
    requireMainThread();
    out = platform::RunLoop::main().now();
    return Outcome{};
  });
}

zelto_status zelto_run_loop_run_pending(char** message) {
  return run(message, [&] {
    requireMainThread();
    platform::RunLoop::main().runPending();
    return Outcome{};
  });
}

zelto_status zelto_run_loop_run_for(double seconds, char** message) {
  return run(message, [&] {
    requireMainThread();
    if (!std::isfinite(seconds) || seconds < 0) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "seconds must be finite and not negative"};
    }
    platform::RunLoop::main().runFor(seconds);
    return Outcome{};
  });
}

zelto_status zelto_run_loop_next_timer_time(double* time, bool* scheduled, char** message) {
  return run(message, output(time, "time"), output(scheduled, "scheduled"),
             [&](double& outTime, bool& outScheduled) {
               requireMainThread();
               const std::optional<double> next = platform::RunLoop::main().nextTimerTime();
               outScheduled = next.has_value();
               if (next) outTime = *next;
               return Outcome{};
             });
}

}  // extern "C"
