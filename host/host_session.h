// The host application behind `zelto host`: it owns a window of its own (key until a flow
// slides the library's window in), launches flows through the public interface, drives the
// library's screens as a user would and prints, one JSON object a line, everything it sees.
//
// What it prints:
// - the result of each command: {"line": N, "command": "tap", ...}, with "shown" after a launch
//   (whether the library's window is now in front); a command that fails gets
//   {"line": N, "command": ..., "error": "..."} and so does a line that does not parse (without
//   "command" when the command word is unknown);
// - completion-handler and delegate calls, as they happen:
//   {"event": "completion"|"delegate", "flow": "request-payment"|"refund", "success": ...,
//    "response": {...}|null, "error": {"errorCodes": [...]}|null};
// - {"event": "notification", "name": "ZELTOSessionTimeOut"} when the idle timeout is posted,
//   {"event": "flow-ended"} when the completion given to endZeltoFlow runs,
//   {"event": "currency", "currency": "978", "selected": "EUR"|null} when the currency
//   selection view opened by `currencies` closes (the code it reports and the session's
//   selectedCurrency at that moment), and
//   {"event": "share", "images": N, "excluded": [...]} when a share sheet hands its items to
//   the host.
//
// Sharing: `share FILE.png` taps the QR screen's share button; the host writes the first image
// the sheet hands it to FILE.png and tells the sheet it was saved. A share sheet opened any other
// way is cancelled.
// The events a command causes come before its result line.
//
// Time: the main run loop's manual clock moves only when a command lets it. After a command
// that acts on the screens, the host lets the transitions it started finish: the timers due
// within kSettleSeconds of the command fire (slides, dismissals and what runs after them);
// `advance` lets exactly the given time pass. Commands that only read (show, payload, request)
// and `delegate` let no time pass.
//
// Thread-safety: main thread only; one host at a time (the library's session is shared).
#ifndef ZELTO_HOST_HOST_SESSION_H_
#define ZELTO_HOST_HOST_SESSION_H_

#include <zelto/sdk/zelto_payment_request.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>

#include "host/host_script.h"
#include "platform/window.h"

namespace zelto::host {

inline constexpr double kSettleSeconds = 1.0;

// Lets the transitions just started finish on the main run loop: fires the timers due within
// kSettleSeconds from now (and those they schedule within that time), nothing later.
void letTransitionsFinish();

class HostSession {
 public:
  explicit HostSession(std::ostream& out);
  // Ends any flow still on screen (the library then drops the host's callbacks) and lets its
  // slide finish.
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Parses and runs line `number` of a script; returns false when the line failed.
  bool runLine(int number, std::string_view line);
  bool run(int number, const HostCommand& command);

 private:
  struct Output;
  class RequestDelegate;
  class RefundDelegate;
  class Sharer;
  class CurrencyListener;

  // The result of one command: its fields, or an error.
  struct Outcome {
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    std::string error;
  };

  // Runs the handler of the command's verb, one function a verb (or a few close ones).
  Outcome execute(const HostCommand& command);
  Outcome launch(const HostCommand& command);
  Outcome launchAndSettle(const HostCommand& command);
  // tap, toggle and alert: a touch on a view or a dialog's action.
  Outcome tapView(const HostCommand& command);
  // type and delete: keys into a field.
  Outcome typeKeys(const HostCommand& command);
  Outcome advance(const HostCommand& command);
  Outcome show(const HostCommand& command);
  Outcome payload(const HostCommand& command);
  Outcome requestFields(const HostCommand& command);
  Outcome snapshot(const HostCommand& command);
  Outcome share(const HostCommand& command);
  Outcome endFlow(const HostCommand& command);
  Outcome delegate(const HostCommand& command);
  Outcome currencies(const HostCommand& command);
  Outcome scroll(const HostCommand& command);
  // Reads a configuration file and hands it to the library (before a launch).
  Outcome configure(const HostCommand& command);

  std::shared_ptr<Output> output_;
  std::shared_ptr<platform::Window> hostWindow_;
  std::shared_ptr<RequestDelegate> requestDelegate_;
  std::shared_ptr<RefundDelegate> refundDelegate_;
  std::shared_ptr<Sharer> sharer_;
  std::shared_ptr<CurrencyListener> currencyListener_;
  // The request of the last request-payment launch: the host's object, which the library edits.
  std::shared_ptr<ZeltoPaymentRequest> request_;
  bool useDelegate_ = false;
};

}  // namespace zelto::host

#endif  // ZELTO_HOST_HOST_SESSION_H_
