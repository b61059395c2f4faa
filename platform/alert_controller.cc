#include "platform/alert_controller.h"

#include "platform/window.h"

namespace zelto::platform {

std::shared_ptr<View> AlertController::loadView() {
  auto view = std::make_shared<View>(mainScreenBounds());
  auto titleLabel = std::make_shared<Label>();
  titleLabel->text = title;
  view->addSubview(titleLabel);
  auto messageLabel = std::make_shared<Label>();
  messageLabel->text = message;
  view->addSubview(messageLabel);
  for (std::size_t index = 0; index < actions_.size(); ++index) {
    auto button = std::make_shared<Button>();
    button->setTitle(actions_[index].title, ControlState::kNormal);
    button->accessibilityIdentifier = actions_[index].title;
    button->addAction(
        ControlEvent::kTouchUpInside,
        [weakSelf = std::weak_ptr<ViewController>(weak_from_this()), index] {
          if (auto self = std::static_pointer_cast<AlertController>(weakSelf.lock())) {
            self->selectAction(index);
          }
        });
    view->addSubview(button);
  }
  return view;
}

bool AlertController::selectAction(std::size_t index) {
  if (chosen_ || index >= actions_.size() || !presentingViewController()) return false;
  chosen_ = true;
  dismiss(true, [handler = actions_[index].handler] {
    if (handler) handler();
  });
  return true;
}

}  // namespace zelto::platform
