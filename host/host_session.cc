#include "host/host_session.h"

#include <zelto/payload/tag_dictionary.h>
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>

#include "host/inputs.h"
#include "host/ui_driver.h"
#include "payload/tag_dictionary_json.h"
#include "platform/activity_view_controller.h"
#include "platform/alert_controller.h"
#include "platform/controls.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "platform/renderer.h"
#include "platform/table_view.h"
#include "platform/window.h"
#include "screens/currency_sheet.h"
#include "screens/qr_screen.h"
#include "sdk/config_json.h"
#include "sdk/request_json.h"
#include "sdk/session.h"
#include "sdk/session_constants.h"

namespace zelto::host {

using Json = nlohmann::ordered_json;

// Where events and results go. Callbacks the library stores hold it, so it outlives the host;
// once the host is gone it prints nothing.
struct HostSession::Output {
  explicit Output(std::ostream& out) : out(&out) {}

  void print(const Json& line) const {
    if (out) *out << line.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
  }

  std::ostream* out;
};

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

constexpr std::string_view kShareButton = "Save_To_Gallery_Button";
constexpr std::string_view kNoWindow = "no window is in front";
constexpr std::string_view kRequestFlow = "request-payment";
constexpr std::string_view kRefundFlow = "refund";

// The amount and the additional data: the fields the payment details screen edits.
constexpr std::array<std::string_view, 9> kEditedFields = {
    "transactionAmount", "billID",     "mobileNumber", "storeID", "loyaltyNumber",
    "referenceID",       "consumerID", "terminalID",   "purpose"};

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

}  // namespace

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

// The host's answer to share sheets: the first image goes to the file a `share` command names.
class HostSession::Sharer final : public platform::ShareHandler {
 public:
  explicit Sharer(std::shared_ptr<Output> output) : output_(std::move(output)) {}

  platform::ShareResult share(const std::vector<platform::Image>& items,
                              const std::vector<platform::ActivityType>& excluded) override {
    Json names = Json::array();
    for (const auto type : excluded) names.push_back(platform::describe(type));
    output_->print(Json{{"event", "share"}, {"images", items.size()}, {"excluded", names}});
    if (!path || items.empty()) return {};
    shared = items.front();
    if (const auto error = platform::writeImage(*shared, *path)) {
      writeError = *error;
      return {};
    }
    return {true, platform::ActivityType::kSaveToCameraRoll};
  }

  // Set while a `share` command runs.
  std::optional<std::string> path;
  std::optional<platform::Image> shared;
  std::string writeError;

 private:
  std::shared_ptr<Output> output_;
};

// Hears the currency selection view opened by `currencies`.
class HostSession::CurrencyListener final : public ZELTOCurrencySelectionViewDelegate {
 public:
  explicit CurrencyListener(std::shared_ptr<Output> output) : output_(std::move(output)) {}
  void didCloseSelectionView(const std::string& currency) override {
    const auto& selected = ZeltoSession::sharedSession().selectedCurrency;
    output_->print(Json{{"event", "currency"},
                        {"currency", currency},
                        {"selected", selected ? Json(selected->currencyId) : Json(nullptr)}});
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

HostSession::Outcome HostSession::execute(const HostCommand& command) {
  using Handler = Outcome (HostSession::*)(const HostCommand&);
  // One handler a verb, in the order of HostVerb.
  static constexpr std::array<Handler, kHostVerbCount> kHandlers = {
      &HostSession::launchAndSettle,  // launch-request FILE
      &HostSession::launchAndSettle,  // launch-request --tags FILE
      &HostSession::launchAndSettle,  // launch-refund FILE
      &HostSession::tapView,          // tap ID
      &HostSession::typeKeys,         // type ID TEXT
      &HostSession::typeKeys,         // delete ID [N]
      &HostSession::tapView,          // toggle ID
      &HostSession::tapView,          // alert TITLE
      &HostSession::advance,          // advance SECONDS
      &HostSession::show,             // show [ID]
      &HostSession::payload,          // payload
      &HostSession::requestFields,    // request
      &HostSession::snapshot,         // snapshot FILE
      &HostSession::share,            // share FILE
      &HostSession::endFlow,          // end-flow
      &HostSession::delegate,         // delegate on|off
      &HostSession::currencies,       // currencies
      &HostSession::scroll,           // scroll ID POINTS
      &HostSession::configure,        // config FILE
  };
  static_assert(std::ranges::none_of(kHandlers, [](Handler handler) { return !handler; }),
                "a verb without a handler");
  return (this->*kHandlers[static_cast<std::size_t>(command.verb)])(command);
}

HostSession::Outcome HostSession::launchAndSettle(const HostCommand& command) {
  Outcome outcome = launch(command);
  letTransitionsFinish();
  if (outcome.error.empty()) {
    const auto& window = ZeltoSession::sharedSession().sdkWindow;
    outcome.fields["shown"] = window->isKeyWindow() && !window->hidden;
  }
  return outcome;
}

HostSession::Outcome HostSession::tapView(const HostCommand& command) {
  const auto window = frontWindow();
  if (!window) return {{}, std::string(kNoWindow)};
  const auto alert = frontAlert();
  Outcome outcome;
  DriveResult result;
  if (command.verb == HostVerb::kToggle) {
    result = toggleSwitch(*window, command.target);
    if (result == DriveResult::kDone) {
      const auto toggled =
          std::dynamic_pointer_cast<platform::Switch>(findView(*window, command.target));
      outcome.fields["on"] = toggled && toggled->isOn();
    }
  } else if (command.verb == HostVerb::kAlert) {
    result = selectAlertAction(*window, command.target);
  } else {
    result = tap(*window, command.target);
  }
  letTransitionsFinish();
  if (result == DriveResult::kNotFound && alert) {
    return {{},
            "the dialog has no action \"" + command.target + "\" (it has " + actionTitles(*alert) +
                ")"};
  }
  if (result != DriveResult::kDone) return {{}, std::string(describe(result))};
  return outcome;
}

HostSession::Outcome HostSession::typeKeys(const HostCommand& command) {
  const auto window = frontWindow();
  if (!window) return {{}, std::string(kNoWindow)};
  const bool typing = command.verb == HostVerb::kType;
  const auto result =
      typing ? typeText(*window, command.target, command.text)
             : deleteBackward(*window, command.target, static_cast<std::size_t>(command.count));
  letTransitionsFinish();
  if (result.status != DriveResult::kDone) return {{}, std::string(describe(result.status))};
  Outcome outcome;
  if (typing) {
    outcome.fields["typed"] = command.text;
  } else {
    outcome.fields["keys"] = command.count;
  }
  outcome.fields["refused"] = result.refusedKeys;
  return outcome;
}

HostSession::Outcome HostSession::advance(const HostCommand& command) {
  platform::RunLoop::main().runFor(command.seconds);
  Outcome outcome;
  // Rounded to the microsecond: sums of slide times carry binary noise.
  outcome.fields["clock"] = std::round(platform::RunLoop::main().now() * 1e6) / 1e6;
  return outcome;
}

HostSession::Outcome HostSession::payload(const HostCommand&) {
  const auto screen = requestPaymentScreen();
  if (!screen) return {{}, "the request-payment screen is not showing"};
  const auto& payload = screen->qrCodeTlv();
  Outcome outcome;
  outcome.fields["payload"] = payload ? Json(*payload) : Json(nullptr);
  return outcome;
}

HostSession::Outcome HostSession::requestFields(const HostCommand&) {
  if (!request_) return {{}, "no payment request was launched"};
  Json fields = Json::object();
  for (const auto name : kEditedFields) {
    const auto value = request_->property(name);
    fields[std::string(name)] = value ? Json(*value) : Json(nullptr);
  }
  Outcome outcome;
  outcome.fields["request"] = std::move(fields);
  return outcome;
}

HostSession::Outcome HostSession::endFlow(const HostCommand&) {
  ZeltoMerchantSDK::endZeltoFlow([output = output_] {
    output->print(Json{{"event", "flow-ended"}});
  });
  letTransitionsFinish();
  return {};
}

HostSession::Outcome HostSession::currencies(const HostCommand&) {
  auto& session = ZeltoSession::sharedSession();
  if (!session.sdkWindow->rootViewController() || session.sdkWindow->hidden) {
    return {{}, "no flow is showing"};
  }
  ZELTOCurrencySelectionView::presentOver(*session.sdkWindow, currencyListener_);
  letTransitionsFinish();
  Outcome outcome;
  outcome.fields["active"] = session.activeCurrencyCode();
  return outcome;
}

HostSession::Outcome HostSession::delegate(const HostCommand& command) {
  useDelegate_ = command.on;
  Outcome outcome;
  outcome.fields["delegate"] = command.on ? "on" : "off";
  return outcome;
}

HostSession::Outcome HostSession::show(const HostCommand& command) {
  const auto window = frontWindow();
  if (!window) return {{}, std::string(kNoWindow)};
  Json elements = Json::array();
  const auto described =
      command.target.empty() ? describeScreen(*window) : describeView(*window, command.target);
  for (const auto& element : described) {
    elements.push_back(Json{
        {"id", element.identifier},
        {"kind", element.kind},
        {"text", element.text},
        {"value", element.value},
        {"hidden", element.hidden},
        {"enabled", element.enabled},
        {"frame", {element.frame.x, element.frame.y, element.frame.width, element.frame.height}},
        {"direction",
         element.direction == platform::LayoutDirection::kRightToLeft ? "rtl" : "ltr"}});
  }
  Outcome outcome;
  outcome.fields["elements"] = std::move(elements);
  return outcome;
}

HostSession::Outcome HostSession::share(const HostCommand& command) {
  const auto window = frontWindow();
  if (!window) return {{}, std::string(kNoWindow)};
  sharer_->path = command.target;
  sharer_->shared.reset();
  sharer_->writeError.clear();
  const auto result = tap(*window, kShareButton);
  letTransitionsFinish();
  sharer_->path.reset();
  if (result != DriveResult::kDone) {
    return {{}, std::string(kShareButton) + ": " + std::string(describe(result))};
  }
  if (!sharer_->writeError.empty()) return {{}, sharer_->writeError};
  if (!sharer_->shared) return {{}, "the share sheet handed over no image"};
  Outcome outcome;
  outcome.fields["size"] = {sharer_->shared->size().width, sharer_->shared->size().height};
  return outcome;
}

HostSession::Outcome HostSession::scroll(const HostCommand& command) {
  const auto window = frontWindow();
  if (!window) return {{}, std::string(kNoWindow)};
  const auto view = findView(*window, command.target);
  if (!view) return {{}, std::string(describe(DriveResult::kNotFound))};
  Outcome outcome;
  if (const auto table = std::dynamic_pointer_cast<platform::TableView>(view)) {
    table->setContentOffset(table->contentOffset() + command.points);
    outcome.fields["offset"] = table->contentOffset();
    return outcome;
  }
  const auto scroll = std::dynamic_pointer_cast<platform::ScrollView>(view);
  if (!scroll) return {{}, "not a scroll view"};
  // Within the content and its insets, as a finger's drag leaves it.
  const double top = -scroll->contentInset.top;
  const double bottom = std::max(
      top, scroll->contentSize.height + scroll->contentInset.bottom - scroll->bounds().height);
  const double y = std::clamp(scroll->contentOffset.y + command.points, top, bottom);
  scroll->setContentOffset({scroll->contentOffset.x, y}, false);
  outcome.fields["offset"] = y + 0.0;  // never -0
  return outcome;
}

HostSession::Outcome HostSession::snapshot(const HostCommand& command) {
  const auto window = frontWindow();
  if (!window) return {{}, std::string(kNoWindow)};
  const platform::Image image = platform::renderWindow(*window);
  if (const auto error = platform::writeImage(image, command.target)) return {{}, *error};
  Outcome outcome;
  outcome.fields["size"] = {image.size().width, image.size().height};
  return outcome;
}

}  // namespace zelto::host
