// Alert dialogs: a title, a message and styled actions, shown with ViewController::present().
//
// Each action is a button of the dialog's view whose accessibility identifier is the action's
// accessibilityIdentifier, or its title when it has none. Choosing an action dismisses the dialog
// (animated) and runs the action's handler once the dismissal has completed.
//
// A dialog coming up closes the keyboard: the text input that had it resigns, and takes it back
// when the dialog has gone (before the action's handler runs) if it is still shown and enabled.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_ALERT_CONTROLLER_H_
#define ZELTO_PLATFORM_ALERT_CONTROLLER_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/view_controller.h"

namespace zelto::platform {

enum class AlertActionStyle { kDefault, kCancel, kDestructive };

struct AlertAction {
  std::string title;
  AlertActionStyle style = AlertActionStyle::kDefault;
  std::function<void()> handler;
  std::string accessibilityIdentifier = "";
};

class AlertController : public ViewController {
 public:
  enum class Style { kAlert, kActionSheet };

  AlertController(std::string title, std::string message, Style preferredStyle)
      : title(std::move(title)), message(std::move(message)), preferredStyle(preferredStyle) {}

  void addAction(AlertAction action) { actions_.push_back(std::move(action)); }
  const std::vector<AlertAction>& actions() const { return actions_; }

  // The user chooses action `index`. Returns false (and does nothing) for an index out of range,
  // while the dialog is not presented, or once an action has been chosen.
  bool selectAction(std::size_t index);

  const std::string title;
  const std::string message;
  const Style preferredStyle;

 protected:
  std::shared_ptr<View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  std::vector<AlertAction> actions_;
  bool chosen_ = false;
  // The text input that had the keyboard when the dialog came up.
  std::weak_ptr<View> editing_;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_ALERT_CONTROLLER_H_
