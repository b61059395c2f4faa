// The host application behind `zelto app`: a small screen of its own in a window of its own,
// with one button per flow ("Request payment", "Request payment from tags", "Refund"). Each
// button launches its flow through the public interface with the host's request; when the flow
// ends, the screen shows what the completion handler received:
//   - a confirmed refund: "Refund of USD 25.50 confirmed" (alphabetic currency code and amount);
//   - a rejected request: "Request refused:" or "Refund refused:" and the error's messages (or
//     QR error codes), one a line;
//   - a flow closed without a result (back button, idle timeout): what happened, and for a
//     payment request the amount the code carried.
// A confirmed refund ends the flow at once (the library keeps its window until the host does).
// The host answers share sheets by writing the image to a new PNG file in the current folder
// (zelto-share-1.png, -2, ...) and says where on its screen and in `messages`.
//
// Thread-safety: main thread only; one at a time (the library's session is shared).
#ifndef ZELTO_HOST_APP_HOST_H_
#define ZELTO_HOST_APP_HOST_H_

#include <zelto/payload/tag_dictionary.h>
#include <zelto/results/zelto_refund_payment_request.h>
#include <zelto/sdk/zelto_payment_request.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/window.h"

namespace zelto::host {

// Accessibility identifiers of the host screen.
inline constexpr std::string_view kAppRequestButton = "App_Request_Payment";
inline constexpr std::string_view kAppTagsButton = "App_Request_Payment_Tags";
inline constexpr std::string_view kAppRefundButton = "App_Refund";
inline constexpr std::string_view kAppResultLabel = "App_Result";

// What each button launches; every request is made afresh for each launch.
struct AppRequests {
  std::function<std::shared_ptr<ZeltoPaymentRequest>()> request;
  std::function<TagDictionary()> tags;
  std::function<std::shared_ptr<ZeltoRefundPaymentRequest>()> refund;
};

class AppHost {
 public:
  // Makes the host window key and visible with the host screen, sized to the main screen.
  // `messages` receives one line for every result and every shared file.
  AppHost(AppRequests requests, std::function<void(const std::string&)> messages);
  // Ends any flow on screen and stops answering share sheets.
  ~AppHost();
  AppHost(const AppHost&) = delete;
  AppHost& operator=(const AppHost&) = delete;

  const std::shared_ptr<platform::Window>& window() const;

  void launchRequestPayment();
  void launchRequestPaymentFromTags();
  void launchRefund();

  // Notices a flow that has ended without a result and says so on the host screen; call after
  // each turn of the run loop. Returns whether the screen changed.
  bool update();

  // The text of the result panel.
  std::string resultText() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace zelto::host

#endif  // ZELTO_HOST_APP_HOST_H_
