// The commands of a host script, one handler a verb.
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <algorithm>
#include <cmath>

#include "host/host_session.h"
#include "host/host_session_parts.h"
#include "host/ui_driver.h"
#include "platform/controls.h"
#include "platform/table_view.h"
#include "screens/currency_sheet.h"
#include "sdk/session.h"

namespace zelto::host {

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
