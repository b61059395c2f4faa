#include "host/app_host.h"

#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

#include "base/text.h"
#include "currency/locale_utility.h"
#include "platform/activity_view_controller.h"
#include "platform/notification_center.h"
#include "platform/renderer.h"
#include "sdk/session.h"
#include "sdk/session_constants.h"

namespace zelto::host {
namespace {

using platform::Color;
using platform::ControlState;
using platform::Font;
using platform::FontWeight;
using platform::Rect;

constexpr Color kNavy{0x15 / 255.0, 0x19 / 255.0, 0x5A / 255.0, 1};
constexpr Color kInk{0x1D / 255.0, 0x2A / 255.0, 0x59 / 255.0, 1};
constexpr Color kSlate{0x6F / 255.0, 0x70 / 255.0, 0x99 / 255.0, 1};
constexpr Color kMist{0xF2 / 255.0, 0xF4 / 255.0, 0xF8 / 255.0, 1};
constexpr Color kAction{0x00 / 255.0, 0x3E / 255.0, 0xA9 / 255.0, 1};
constexpr Color kActionActive{0x18 / 255.0, 0x69 / 255.0, 0xD6 / 255.0, 1};
constexpr Color kSubtitle{1, 1, 1, 0.72};

constexpr double kMargin = 16;
constexpr double kHeaderHeight = 116;
constexpr double kButtonHeight = 52;
constexpr double kButtonGap = 8;

constexpr std::string_view kNothingYet = "Nothing yet: choose a flow above.";

enum class Flow { kNone, kRequestPayment, kRefund };

std::shared_ptr<platform::Label> makeLabel(Rect frame, std::string text, Font font, Color color) {
  auto label = std::make_shared<platform::Label>(frame);
  label->text = std::move(text);
  label->font = font;
  label->textColor = color;
  return label;
}

std::shared_ptr<platform::Button> makeButton(Rect frame, std::string title,
                                             std::string_view identifier) {
  auto button = std::make_shared<platform::Button>(frame);
  button->setTitle(std::move(title), ControlState::kNormal);
  button->setTitleColor(Color::white(), ControlState::kNormal);
  button->setBackgroundColor(kAction, ControlState::kNormal);
  button->setBackgroundColor(kActionActive, ControlState::kHighlighted);
  button->titleFont = Font::systemFont(15, FontWeight::kSemibold);
  button->cornerRadius = 8;
  button->clipsToBounds = true;
  button->accessibilityIdentifier = identifier;
  return button;
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string text;
  for (const auto& part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

// "Request refused:" and the error's messages one a line; QR error codes (numbers) on one line.
std::string refusal(std::string_view flow, const std::shared_ptr<ZeltoError>& error) {
  std::string text = std::string(flow) + " refused:";
  if (!error || error->errorCodes.empty()) return text + " no reason given";
  bool codes = true;
  for (const auto& code : error->errorCodes) codes = codes && text::parseInteger(code).has_value();
  if (codes) return text + " QR error codes " + joined(error->errorCodes, ", ");
  return text + "\n" + joined(error->errorCodes, "\n");
}

// "USD 25.50", or the amount alone when the currency code is unknown.
std::string money(std::string_view currencyCode, std::string_view amount) {
  const std::string currency = ZeltoLocaleUtility::getCurrencySymbol(currencyCode);
  return currency.empty() ? std::string(amount) : currency + " " + std::string(amount);
}

// The host screen: a header with the store, one button per flow, and the result panel.
class HostScreen final : public platform::ViewController {
 public:
  std::shared_ptr<platform::Button> requestButton;
  std::shared_ptr<platform::Button> tagsButton;
  std::shared_ptr<platform::Button> refundButton;
  std::shared_ptr<platform::Label> result;

  // The result's text starts at the top of its panel.
  void fitResult() {
    const auto panel = result->superview();
    if (!panel) return;
    const Rect frame = result->frame();
    const double room = panel->bounds().height - 2 * frame.y;
    const double height = platform::measureText(result->text, result->font, frame.width).height;
    result->setFrame({frame.x, frame.y, frame.width, std::min(room, std::ceil(height))});
  }

 protected:
  std::shared_ptr<platform::View> loadView() override {
    const Rect screen = platform::mainScreenBounds();
    const double width = screen.width - 2 * kMargin;
    auto view = std::make_shared<platform::View>(screen);
    view->backgroundColor = Color::white();

    auto header = std::make_shared<platform::View>(Rect{0, 0, screen.width, kHeaderHeight});
    header->backgroundColor = kNavy;
    header->addSubview(makeLabel({kMargin, 44, width, 28}, "Zelto Demo Store",
                                 Font::boldSystemFont(22), Color::white()));
    header->addSubview(makeLabel({kMargin, 76, width, 20}, "Merchant counter · Mumbai",
                                 Font::systemFont(14), kSubtitle));
    view->addSubview(header);

    double y = kHeaderHeight + 24;
    view->addSubview(makeLabel({kMargin, y, width, 18}, "START A FLOW",
                               Font::systemFont(13, FontWeight::kSemibold), kSlate));
    y += 26;
    requestButton =
        makeButton({kMargin, y, width, kButtonHeight}, "Request payment", kAppRequestButton);
    y += kButtonHeight + kButtonGap;
    tagsButton =
        makeButton({kMargin, y, width, kButtonHeight}, "Request payment from tags", kAppTagsButton);
    y += kButtonHeight + kButtonGap;
    refundButton = makeButton({kMargin, y, width, kButtonHeight}, "Refund", kAppRefundButton);
    y += kButtonHeight + 24;
    for (const auto& button : {requestButton, tagsButton, refundButton}) view->addSubview(button);

    view->addSubview(makeLabel({kMargin, y, width, 18}, "LAST RESULT",
                               Font::systemFont(13, FontWeight::kSemibold), kSlate));
    y += 26;
    const double footer = 44;
    const double panelHeight = std::max(64.0, screen.height - y - footer);
    auto panel = std::make_shared<platform::View>(Rect{kMargin, y, width, panelHeight});
    panel->backgroundColor = kMist;
    panel->cornerRadius = 8;
    panel->clipsToBounds = true;
    result = makeLabel({12, 12, width - 24, panelHeight - 24}, std::string(kNothingYet),
                       Font::systemFont(15), kInk);
    result->numberOfLines = 0;
    result->accessibilityIdentifier = kAppResultLabel;
    panel->addSubview(result);
    fitResult();
    view->addSubview(panel);

    auto hint = makeLabel({kMargin, screen.height - footer + 8, width, 28},
                          "Esc: back · Tab: next field · Return: done typing", Font::systemFont(12),
                          kSlate);
    hint->textAlignment = platform::TextAlignment::kCenter;
    hint->adjustsFontSizeToFitWidth = true;
    hint->minimumScaleFactor = 0.8;
    view->addSubview(hint);
    return view;
  }
};

// Writes the first shared image to a new file in the current folder and reports where.
class FileSharer final : public platform::ShareHandler {
 public:
  explicit FileSharer(std::function<void(std::string note)> report) : report_(std::move(report)) {}

  platform::ShareResult share(const std::vector<platform::Image>& items,
                              const std::vector<platform::ActivityType>&) override {
    if (items.empty()) return {};
    std::error_code error;
    const auto folder = std::filesystem::current_path(error);
    std::filesystem::path path;
    for (int number = 1; path.empty() || std::filesystem::exists(path, error); ++number) {
      path = folder / ("zelto-share-" + std::to_string(number) + ".png");
    }
    std::ofstream file(path, std::ios::binary);
    file << items.front().bytes();
    if (!file.flush()) {
      report_("Could not save the shared image to " + path.string());
      return {};
    }
    report_("Shared image saved to " + path.string());
    return {true, platform::ActivityType::kSaveToCameraRoll};
  }

 private:
  std::function<void(std::string note)> report_;
};

}  // namespace

struct AppHost::State : std::enable_shared_from_this<State> {
  // The shared file, already reported when it was written, stays under the result on screen.
  void show(const std::string& text) {
    if (messages) messages(text);
    auto& label = *screen->result;
    label.text = sharedNote.empty() ? text : text + "\n" + sharedNote;
    screen->fitResult();
  }

  // Called right after a launch: a refused request never shows the window.
  void launched(Flow flow) { active = flowOnScreen() ? flow : Flow::kNone; }

  bool flowOnScreen() const {
    const auto& sdkWindow = ZeltoSession::sharedSession().sdkWindow;
    return !sdkWindow->hidden && sdkWindow->isKeyWindow();
  }

  void closedWithoutResult() {
    if (active == Flow::kRefund) {
      show("Refund flow closed without a refund");
      return;
    }
    std::string text = "Payment request closed: the code carried ";
    const std::string amount =
        launchedRequest ? launchedRequest->transactionAmount.value_or("") : "";
    text += amount.empty() ? "no amount" : money(launchedRequest->currencyCode, amount);
    show(text);
  }

  AppRequests requests;
  std::function<void(const std::string&)> messages;
  std::shared_ptr<platform::Window> window;
  std::shared_ptr<HostScreen> screen;
  std::shared_ptr<ZeltoPaymentRequest> launchedRequest;
  std::shared_ptr<platform::ShareHandler> sharer;
  Flow active = Flow::kNone;
  bool resultShown = false;
  std::string sharedNote;
};

AppHost::AppHost(AppRequests requests, std::function<void(const std::string&)> messages)
    : state_(std::make_shared<State>()) {
  state_->requests = std::move(requests);
  state_->messages = std::move(messages);
  state_->window = std::make_shared<platform::Window>();
  state_->screen = std::make_shared<HostScreen>();
  state_->window->setRootViewController(state_->screen);
  state_->window->makeKeyAndVisible();
  const std::weak_ptr<State> weak = state_;
  state_->screen->requestButton->addAction(platform::ControlEvent::kTouchUpInside,
                                           [this] { launchRequestPayment(); });
  state_->screen->tagsButton->addAction(platform::ControlEvent::kTouchUpInside,
                                        [this] { launchRequestPaymentFromTags(); });
  state_->screen->refundButton->addAction(platform::ControlEvent::kTouchUpInside,
                                          [this] { launchRefund(); });
  state_->sharer = std::make_shared<FileSharer>([weak](std::string note) {
    const auto state = weak.lock();
    if (!state) return;
    state->sharedNote = std::move(note);
    if (state->messages) state->messages(state->sharedNote);
  });
  platform::setShareHandler(state_->sharer);
  platform::NotificationCenter::defaultCenter().addObserver(
      this, std::string(StringConstants::SESSION_TIMEOUT_NOTIFICATION),
      [weak](const platform::Notification&) {
        const auto state = weak.lock();
        if (!state) return;
        state->resultShown = true;
        state->show("Refund flow timed out: no activity for " +
                    std::to_string(
                        static_cast<long long>(ZeltoSession::sharedSession().activeIdleTimeout())) +
                    " seconds");
      });
}

AppHost::~AppHost() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
  if (platform::shareHandler() == state_->sharer) platform::setShareHandler(nullptr);
  ZeltoMerchantSDK::endZeltoFlow();
}

const std::shared_ptr<platform::Window>& AppHost::window() const { return state_->window; }

void AppHost::launchRequestPayment() {
  if (state_->flowOnScreen() || !state_->requests.request) return;
  auto request = state_->requests.request();
  state_->launchedRequest = request;
  state_->resultShown = false;
  state_->sharedNote.clear();
  const std::weak_ptr<State> weak = state_;
  ZeltoMerchantSDK::launchRequestPaymentFlow(
      request, [weak](bool success, std::shared_ptr<ZeltoRequestPaymentResponse>,
                      std::shared_ptr<ZeltoError> error) {
        const auto state = weak.lock();
        if (!state) return;
        state->resultShown = true;
        state->show(success ? "Payment request completed" : refusal("Request", error));
      });
  state_->launched(Flow::kRequestPayment);
}

void AppHost::launchRequestPaymentFromTags() {
  if (state_->flowOnScreen() || !state_->requests.tags) return;
  const auto saved = state_->requests.request;
  state_->requests.request = [tags = state_->requests.tags] {
    return ZeltoPaymentRequest::withTagValueDictionary(tags());
  };
  launchRequestPayment();
  state_->requests.request = saved;
}

void AppHost::launchRefund() {
  if (state_->flowOnScreen() || !state_->requests.refund) return;
  auto request = state_->requests.refund();
  state_->resultShown = false;
  state_->sharedNote.clear();
  const std::weak_ptr<State> weak = state_;
  ZeltoMerchantSDK::launchRefundPaymentFlow(
      request, [weak, request](bool success, std::shared_ptr<ZeltoRefundPaymentResponse> response,
                               std::shared_ptr<ZeltoError> error) {
        const auto state = weak.lock();
        if (!state) return;
        state->resultShown = true;
        if (!success || !response) {
          state->show(refusal("Refund", error));
          return;
        }
        state->show("Refund of " + money(request->currencyCode, response->refundAmount) +
                    " confirmed");
        // The library keeps its window until the host ends the flow.
        platform::RunLoop::main().async([] { ZeltoMerchantSDK::endZeltoFlow(); });
      });
  state_->launched(Flow::kRefund);
}

bool AppHost::update() {
  State& state = *state_;
  if (state.active == Flow::kNone || state.flowOnScreen()) return false;
  state.active = Flow::kNone;
  if (state.resultShown) return false;
  state.closedWithoutResult();
  return true;
}

std::string AppHost::resultText() const { return state_->screen->result->text; }

}  // namespace zelto::host
