#include "platform/alert_controller.h"

#include <cmath>

#include "platform/renderer.h"
#include "platform/window.h"

namespace zelto::platform {

namespace {

constexpr double kDialogWidth = 270;
constexpr double kDialogPadding = 16;
constexpr double kActionHeight = 44;
constexpr Color kDim{0, 0, 0, 0.4};
constexpr Color kDialogBackground{0.98, 0.98, 0.98, 1};
constexpr Color kSeparator{60 / 255.0, 60 / 255.0, 67 / 255.0, 0.29};
constexpr Color kActionBlue{0, 122 / 255.0, 1, 1};
constexpr Color kDestructiveRed{1, 59 / 255.0, 48 / 255.0, 1};

std::shared_ptr<Label> dialogLabel(const std::string& text, Font font, double y) {
  const double width = kDialogWidth - 2 * kDialogPadding;
  const Size size = measureText(text, font, width);
  auto label = std::make_shared<Label>(Rect{kDialogPadding, y, width, std::ceil(size.height)});
  label->text = text;
  label->font = font;
  label->textAlignment = TextAlignment::kCenter;
  label->numberOfLines = 0;
  return label;
}

std::shared_ptr<View> separator(Rect frame) {
  auto line = std::make_shared<View>(frame);
  line->backgroundColor = kSeparator;
  return line;
}

std::shared_ptr<View> firstResponderIn(const std::shared_ptr<View>& view) {
  if (view->isFirstResponder()) return view;
  for (const auto& child : view->subviews()) {
    if (auto found = firstResponderIn(child)) return found;
  }
  return nullptr;
}

}  // namespace

// The dialog: the screen dimmed, and a rounded box in its middle with the title, the message
// and the actions (two side by side, otherwise one under the other).
std::shared_ptr<View> AlertController::loadView() {
  const Rect screen = mainScreenBounds();
  auto view = std::make_shared<View>(screen);
  view->backgroundColor = kDim;
  auto box = std::make_shared<View>();
  box->backgroundColor = kDialogBackground;
  box->cornerRadius = 14;
  box->clipsToBounds = true;
  double y = 20;
  if (!title.empty()) {
    auto titleLabel = dialogLabel(title, Font::systemFont(17, FontWeight::kSemibold), y);
    y = titleLabel->frame().maxY() + 4;
    box->addSubview(titleLabel);
  }
  if (!message.empty()) {
    auto messageLabel = dialogLabel(message, Font::systemFont(13), y);
    y = messageLabel->frame().maxY();
    box->addSubview(messageLabel);
  }
  y += 20;
  const bool sideBySide = actions_.size() == 2;
  for (std::size_t index = 0; index < actions_.size(); ++index) {
    const AlertAction& action = actions_[index];
    Rect frame{0, y, kDialogWidth, kActionHeight};
    if (sideBySide) {
      frame.width = kDialogWidth / 2;
      frame.x = index == 0 ? 0 : kDialogWidth / 2;
    }
    auto button = std::make_shared<Button>(frame);
    button->setTitle(action.title, ControlState::kNormal);
    button->setTitleColor(
        action.style == AlertActionStyle::kDestructive ? kDestructiveRed : kActionBlue,
        ControlState::kNormal);
    button->titleFont =
        Font::systemFont(17, action.style == AlertActionStyle::kCancel ? FontWeight::kSemibold
                                                                       : FontWeight::kRegular);
    button->accessibilityIdentifier =
        action.accessibilityIdentifier.empty() ? action.title : action.accessibilityIdentifier;
    button->addAction(
        ControlEvent::kTouchUpInside,
        [weakSelf = std::weak_ptr<ViewController>(weak_from_this()), index] {
          if (auto self = std::static_pointer_cast<AlertController>(weakSelf.lock())) {
            self->selectAction(index);
          }
        });
    box->addSubview(separator({frame.x, frame.y, frame.width, 0.5}));
    if (sideBySide && index == 1) box->addSubview(separator({frame.x, frame.y, 0.5, frame.height}));
    box->addSubview(button);
    if (!sideBySide || index == 1) y += kActionHeight;
  }
  box->setFrame(
      {(screen.width - kDialogWidth) / 2, std::round((screen.height - y) / 2), kDialogWidth, y});
  view->addSubview(box);
  return view;
}

void AlertController::viewWillAppear(bool /*animated*/) {
  const auto window = view()->window();
  if (!window) return;
  editing_ = firstResponderIn(window);
  window->endEditing(true);
}

bool AlertController::selectAction(std::size_t index) {
  if (chosen_ || index >= actions_.size() || !presentingViewController()) return false;
  chosen_ = true;
  dismiss(true, [handler = actions_[index].handler, editing = editing_] {
    if (const auto input = editing.lock(); input && input->window() && input->isInteractive()) {
      input->becomeFirstResponder();
    }
    if (handler) handler();
  });
  return true;
}

}  // namespace zelto::platform
