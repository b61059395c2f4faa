// The C interface to the configuration, the flows, their results and the main run loop.
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "capi/support.h"
#include "platform/png_codec.h"
#include "sdk/session.h"

namespace zelto::capi {
namespace {

platform::Color toColor(const zelto_color& color) {
  for (double component : {color.red, color.green, color.blue, color.alpha}) {
    if (!(component >= 0 && component <= 1)) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "colour components go from 0 to 1"};
    }
  }
  return {color.red, color.green, color.blue, color.alpha};
}

zelto_color fromColor(const platform::Color& color) {
  return {color.red, color.green, color.blue, color.alpha};
}

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

// A host's picture: `size` bytes of PNG at `png`, `scale` pixels a point.
platform::Image readImage(const unsigned char* png, std::size_t size, double scale,
                          const std::string& argument) {
  if (png == nullptr) throwNullArgument(argument);
  if (!(scale > 0) || !std::isfinite(scale)) {
    throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "scale must be finite and above 0"};
  }
  auto image = platform::pngImage(
      "host_image", std::string_view(reinterpret_cast<const char*>(png), size), scale);
  if (!image) throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, argument + " is not a PNG picture"};
  return std::move(*image);
}

// Hands a copy of the picture's bytes to the caller (NULL and 0 for an empty image).
void handOverImage(const platform::Image& image, unsigned char*& png, std::size_t& size) {
  const std::string_view bytes = image.bytes();
  if (bytes.empty()) return;
  png = copyBytes(bytes);
  size = bytes.size();
}

}  // namespace
}  // namespace zelto::capi

using namespace zelto;
using namespace zelto::capi;

extern "C" {

zelto_status zelto_color_from_hex(const char* hex, zelto_color* color, char** message) {
  return run(message, output(color, "color"), [&](zelto_color& out) {
    out = fromColor(platform::Color::fromHex(readText(hex, "hex")));
    return Outcome{};
  });
}

zelto_status zelto_config_init(zelto_config** config, char** message) {
  return run(message, output(config, "config"), [&](zelto_config*& out) {
    requireMainThread();
    out = create<zelto_config>(ZeltoConfig());
    return Outcome{};
  });
}

zelto_status zelto_config_deep_copy(const zelto_config* config, zelto_config** copy,
                                    char** message) {
  return run(message, output(copy, "copy"), [&](zelto_config*& out) {
    requireMainThread();
    out = create<zelto_config>(*use(config, "config").value.deepCopy());
    return Outcome{};
  });
}

zelto_status zelto_config_release(zelto_config* config) { return releaseOnMainThread(config); }

// One reader and one writer per field; GET reads from `source`, SET writes `value` to `target`.
#define ZELTO_CONFIG_ACCESSORS(type, name, GET, SET)                                          \
  zelto_status zelto_config_##name(const zelto_config* config, type* value, char** message) { \
    return run(message, output(value, "value"), [&](type& out) {                              \
      requireMainThread();                                                                    \
      const ZeltoConfig& source = use(config, "config").value;                                \
      out = GET;                                                                              \
      return Outcome{};                                                                       \
    });                                                                                       \
  }                                                                                           \
  zelto_status zelto_config_set_##name(zelto_config* config, type value, char** message) {    \
    return run(message, [&] {                                                                 \
      requireMainThread();                                                                    \
      ZeltoConfig& target = use(config, "config").value;                                      \
      SET;                                                                                    \
      return Outcome{};                                                                       \
    });                                                                                       \
  }

ZELTO_CONFIG_ACCESSORS(bool, is_first_time_tutorial_enabled_for_p2m,
                       source.isFirstTimeTutorialEnabledForP2M,
                       target.isFirstTimeTutorialEnabledForP2M = value)
ZELTO_CONFIG_ACCESSORS(bool, is_tlv_validation_required_for_p2m,
                       source.isTLVValidationRequiredForP2M(),
                       target.setIsTLVValidationRequiredForP2M(value))
ZELTO_CONFIG_ACCESSORS(bool, show_wait_screen, source.showWaitScreen, target.showWaitScreen = value)
ZELTO_CONFIG_ACCESSORS(int, paymerchant_time_out_in_seconds, source.paymerchantTimeOutInSeconds(),
                       target.setPaymerchantTimeOutInSeconds(value))
ZELTO_CONFIG_ACCESSORS(int, withdraw_cash_time_out_in_seconds,
                       source.withdrawCashTimeOutInSeconds(),
                       target.setWithdrawCashTimeOutInSeconds(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, background_color, fromColor(source.backgroundColor),
                       target.backgroundColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, text_field_status_color,
                       fromColor(source.textFieldStatusColor()),
                       target.setTextFieldStatusColor(toColor(value)))
ZELTO_CONFIG_ACCESSORS(zelto_color, text_caret_color, fromColor(source.textCaretColor()),
                       target.setTextCaretColor(toColor(value)))
ZELTO_CONFIG_ACCESSORS(zelto_color, font_color, fromColor(source.fontColor),
                       target.fontColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, action_button_color, fromColor(source.actionButtonColor),
                       target.actionButtonColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, action_button_active_color,
                       fromColor(source.actionButtonActiveColor),
                       target.actionButtonActiveColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, action_button_font_color,
                       fromColor(source.actionButtonFontColor),
                       target.actionButtonFontColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(bool, is_first_time_tutorial_enabled_for_p2p,
                       source.isFirstTimeTutorialEnabledForP2P,
                       target.isFirstTimeTutorialEnabledForP2P = value)
ZELTO_CONFIG_ACCESSORS(int, pay_friend_timeout_in_seconds, source.payFriendTimeoutInSeconds(),
                       target.setPayFriendTimeoutInSeconds(value))
#undef ZELTO_CONFIG_ACCESSORS

zelto_status zelto_config_issuer_back_button(const zelto_config* config, unsigned char** png,
                                             size_t* size, char** message) {
  return run(message, output(png, "png"), output(size, "size"),
             [&](unsigned char*& outPng, size_t& outSize) {
               requireMainThread();
               handOverImage(use(config, "config").value.issuerBackButton, outPng, outSize);
               return Outcome{};
             });
}

zelto_status zelto_config_set_issuer_back_button(zelto_config* config, const unsigned char* png,
                                                 size_t size, double scale, char** message) {
  return run(message, [&] {
    requireMainThread();
    ZeltoConfig& target = use(config, "config").value;
    target.issuerBackButton = readImage(png, size, scale, "png");
    return Outcome{};
  });
}

zelto_status zelto_config_supported_network_image_count(const zelto_config* config, size_t* count,
                                                        bool* present, char** message) {
  return run(message, output(count, "count"), output(present, "present"),
             [&](size_t& outCount, bool& outPresent) {
               requireMainThread();
               const auto& images = use(config, "config").value.supportedNetworkImage;
               outPresent = images.has_value();
               outCount = images ? images->size() : 0;
               return Outcome{};
             });
}

zelto_status zelto_config_supported_network_image_at(const zelto_config* config, size_t index,
                                                     unsigned char** png, size_t* size,
                                                     char** message) {
  return run(message, output(png, "png"), output(size, "size"),
             [&](unsigned char*& outPng, size_t& outSize) {
               requireMainThread();
               const auto& images = use(config, "config").value.supportedNetworkImage;
               const std::size_t count = images ? images->size() : 0;
               if (index >= count) {
                 throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                               "index " + std::to_string(index) + " is past the last of " +
                                   std::to_string(count) + " network images"};
               }
               handOverImage((*images)[index], outPng, outSize);
               return Outcome{};
             });
}

zelto_status zelto_config_set_supported_network_image(zelto_config* config,
                                                      const unsigned char* const* pngs,
                                                      const size_t* sizes, size_t count,
                                                      double scale, char** message) {
  return run(message, [&] {
    requireMainThread();
    ZeltoConfig& target = use(config, "config").value;
    if (pngs == nullptr) {
      if (count > 0) throwNullArgument("pngs");
      target.supportedNetworkImage.reset();
      return Outcome{};
    }
    if (sizes == nullptr) throwNullArgument("sizes");
    std::vector<platform::Image> images;
    images.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      images.push_back(readImage(pngs[i], sizes[i], scale, "pngs[" + std::to_string(i) + "]"));
    }
    target.supportedNetworkImage = std::move(images);
    return Outcome{};
  });
}

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
