#include "host/host_session.h"

#include <zelto/payload/tag_dictionary.h>
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <algorithm>
#include <array>
#include <filesystem>

#include "host/host_session_parts.h"
#include "host/inputs.h"
#include "payload/tag_dictionary_json.h"
#include "platform/activity_view_controller.h"
#include "platform/alert_controller.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "platform/window.h"
#include "screens/qr_screen.h"
#include "sdk/config_json.h"
#include "sdk/request_json.h"
#include "sdk/session.h"
#include "sdk/session_constants.h"

namespace zelto::host {

namespace {

Json errorJson(const std::shared_ptr<ZeltoError>& error) {
  if (!error) return nullptr;
  return Json{{"errorCodes", error->errorCodes}};
}

Json responseJson(const std::shared_ptr<ZeltoRequestPaymentResponse>& response) {
  return response ? Json::object() : Json(nullptr);
}

Json responseJson(const std::shared_ptr<ZeltoRefundPaymentResponse>& response) {
  if (!response) return nullptr;
  return Json{{"refundAmount", response->refundAmount}};
}

template <typename Response>
Json flowEvent(std::string_view kind, std::string_view flow, bool success,
               const std::shared_ptr<Response>& response,
               const std::shared_ptr<ZeltoError>& error) {
  return Json{{"event", kind},
              {"flow", flow},
              {"success", success},
              {"response", responseJson(response)},
              {"error", errorJson(error)}};
}

constexpr std::string_view kRequestFlow = "request-payment";
constexpr std::string_view kRefundFlow = "refund";

}  // namespace

// The window in front, where a user's touches land.
std::shared_ptr<platform::Window> frontWindow() {
  return platform::Application::shared().keyWindow();
}

// The first screen of the request-payment flow, wherever it is in the navigation stack.
std::shared_ptr<ZELTORequestPaymentViewController> requestPaymentScreen() {
  const auto nav = std::dynamic_pointer_cast<platform::NavigationController>(
      ZeltoSession::sharedSession().sdkWindow->rootViewController());
  if (!nav || nav->viewControllers().empty()) return nullptr;
  return std::dynamic_pointer_cast<ZELTORequestPaymentViewController>(nav->viewControllers()[0]);
}

// The dialog in front of the library's screens, if any.
std::shared_ptr<platform::AlertController> frontAlert() {
  auto top = ZeltoSession::sharedSession().getTopViewController();
  return std::dynamic_pointer_cast<platform::AlertController>(top);
}

// "OK", "Cancel": the titles of the dialog's actions.
std::string actionTitles(const platform::AlertController& alert) {
  std::string titles;
  for (const auto& action : alert.actions()) {
    titles += (titles.empty() ? "\"" : ", \"") + action.title + "\"";
  }
  return titles;
}

class HostSession::RequestDelegate final : public ZeltoRequestPaymentDelegate {
 public:
  explicit RequestDelegate(std::shared_ptr<Output> output) : output_(std::move(output)) {}
  void requestPaymentFlowDidFinish(bool success,
                                   std::shared_ptr<ZeltoRequestPaymentResponse> response,
                                   std::shared_ptr<ZeltoError> error) override {
    output_->print(flowEvent("delegate", kRequestFlow, success, response, error));
  }

 private:
  std::shared_ptr<Output> output_;
};

class HostSession::RefundDelegate final : public ZeltoRefundPaymentDelegate {
 public:
  explicit RefundDelegate(std::shared_ptr<Output> output) : output_(std::move(output)) {}
  void refundPaymentFlowDidFinish(bool success,
                                  std::shared_ptr<ZeltoRefundPaymentResponse> response,
                                  std::shared_ptr<ZeltoError> error) override {
    output_->print(flowEvent("delegate", kRefundFlow, success, response, error));
  }

 private:
  std::shared_ptr<Output> output_;
};

HostSession::HostSession(std::ostream& out)
    : output_(std::make_shared<Output>(out)),
      hostWindow_(std::make_shared<platform::Window>()),
      requestDelegate_(std::make_shared<RequestDelegate>(output_)),
      refundDelegate_(std::make_shared<RefundDelegate>(output_)),
      sharer_(std::make_shared<Sharer>(output_)),
      currencyListener_(std::make_shared<CurrencyListener>(output_)) {
  hostWindow_->makeKeyAndVisible();
  platform::setShareHandler(sharer_);
  platform::NotificationCenter::defaultCenter().addObserver(
      this, std::string(StringConstants::SESSION_TIMEOUT_NOTIFICATION),
      [output = output_](const platform::Notification& notification) {
        output->print(Json{{"event", "notification"}, {"name", notification.name}});
      });
}

HostSession::~HostSession() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
  platform::setShareHandler(nullptr);
  output_->out = nullptr;
  ZeltoMerchantSDK::endZeltoFlow();
  letTransitionsFinish();
}

void letTransitionsFinish() {
  auto& loop = platform::RunLoop::main();
  const double until = loop.now() + kSettleSeconds;
  loop.runPending();
  for (auto next = loop.nextTimerTime(); next && *next <= until; next = loop.nextTimerTime()) {
    loop.runFor(std::max(0.0, *next - loop.now()));
  }
}

bool HostSession::runLine(int number, std::string_view line) {
  const ScriptLine parsed = parseScriptLine(line);
  if (parsed.command) return run(number, *parsed.command);
  if (parsed.error.empty()) return true;
  output_->print(Json{{"line", number}, {"error", parsed.error}});
  return false;
}

bool HostSession::run(int number, const HostCommand& command) {
  Outcome outcome = execute(command);
  Json line{{"line", number}, {"command", verbName(command.verb)}};
  if (!command.target.empty()) line["target"] = command.target;
  if (!outcome.error.empty()) {
    line["error"] = outcome.error;
  } else {
    line.update(outcome.fields);
  }
  output_->print(line);
  return outcome.error.empty();
}

HostSession::Outcome HostSession::configure(const HostCommand& command) {
  const std::string& path = command.target;
  if (ZeltoSession::sharedSession().activeSessionType() != ZeltoActiveFlow::none) {
    return {{}, "a configuration is set before a launch, while no flow is active"};
  }
  const JsonInput input = readJson(path);
  if (!input.json) return {{}, input.error};
  const ConfigFromJson read =
      configFromJson(*input.json, std::filesystem::path(path).parent_path());
  if (!read.config) return {{}, path + ": " + read.error};
  ZeltoMerchantSDK::setupOneTimeConfiguration(*read.config);
  return {};
}

HostSession::Outcome HostSession::launch(const HostCommand& command) {
  const JsonInput input = readJson(command.target);
  if (!input.json) return {{}, input.error};
  if (command.verb == HostVerb::kLaunchRefund) {
    const RefundRequestFromJson refund = refundRequestFromJson(*input.json);
    if (!refund.request) return {{}, refund.error};
    if (useDelegate_) {
      ZeltoMerchantSDK::launchRefundPaymnetFlow(refund.request, refundDelegate_);
    } else {
      ZeltoMerchantSDK::launchRefundPaymentFlow(
          refund.request,
          [output = output_](bool success, std::shared_ptr<ZeltoRefundPaymentResponse> response,
                             std::shared_ptr<ZeltoError> error) {
            output->print(flowEvent("completion", kRefundFlow, success, response, error));
          });
    }
    return {};
  }
  std::shared_ptr<ZeltoPaymentRequest> request;
  if (command.verb == HostVerb::kLaunchRequestTags) {
    TagDictionaryFromJson dictionary = tagDictionaryFromJson(*input.json);
    if (!dictionary.dictionary) return {{}, dictionary.error};
    request = ZeltoPaymentRequest::withTagValueDictionary(std::move(*dictionary.dictionary));
  } else {
    PaymentRequestFromJson parsed = paymentRequestFromJson(*input.json);
    if (!parsed.request) return {{}, parsed.error};
    request = std::move(parsed.request);
  }
  request_ = request;
  if (useDelegate_) {
    ZeltoMerchantSDK::launchRequestPaymentFlow(request, requestDelegate_);
  } else {
    ZeltoMerchantSDK::launchRequestPaymentFlow(
        request,
        [output = output_](bool success, std::shared_ptr<ZeltoRequestPaymentResponse> response,
                           std::shared_ptr<ZeltoError> error) {
          output->print(flowEvent("completion", kRequestFlow, success, response, error));
        });
  }
  return {};
}

}  // namespace zelto::host
