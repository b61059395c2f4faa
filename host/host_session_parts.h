// What the host session's parts share: where its output goes, the share sheet's answer, and
// how a command finds the screen in front. Used by host_session.cc and host_commands.cc only.
//
// Thread-safety: main thread only.
#ifndef ZELTO_HOST_HOST_SESSION_PARTS_H_
#define ZELTO_HOST_HOST_SESSION_PARTS_H_

#include <array>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_session.h"
#include "platform/activity_view_controller.h"
#include "platform/alert_controller.h"
#include "platform/renderer.h"
#include "screens/currency_sheet.h"
#include "screens/qr_screen.h"
#include "sdk/session.h"

namespace zelto::host {

using Json = nlohmann::ordered_json;

inline constexpr std::string_view kShareButton = "Save_To_Gallery_Button";
inline constexpr std::string_view kNoWindow = "no window is in front";
// The amount and the additional data: the fields the payment details screen edits.
inline constexpr std::array<std::string_view, 9> kEditedFields = {
    "transactionAmount", "billID",     "mobileNumber", "storeID", "loyaltyNumber",
    "referenceID",       "consumerID", "terminalID",   "purpose"};

// Where events and results go. Callbacks the library stores hold it, so it outlives the host;
// once the host is gone it prints nothing.
struct HostSession::Output {
  explicit Output(std::ostream& out) : out(&out) {}

  void print(const Json& line) const {
    if (out) *out << line.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
  }

  std::ostream* out;
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

// The window in front, where a user's touches land.
std::shared_ptr<platform::Window> frontWindow();
// The first screen of the request-payment flow, wherever it is in the navigation stack.
std::shared_ptr<ZELTORequestPaymentViewController> requestPaymentScreen();
// The dialog in front of the library's screens, if any.
std::shared_ptr<platform::AlertController> frontAlert();
// "OK", "Cancel": the titles of the dialog's actions.
std::string actionTitles(const platform::AlertController& alert);

}  // namespace zelto::host

#endif  // ZELTO_HOST_HOST_SESSION_PARTS_H_
