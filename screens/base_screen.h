// ZeltoBaseViewController: the base of every screen of the library. Its view takes the
// configuration's background colour when loaded; light status bar, portrait only.
//
// It shows status messages (kit/kit_status_message.h): showGSMMessage puts the banner
// ("Status_Message") over the top of the screen, below statusMessageTop(), and takes it away
// after GSMDuration() seconds on the main run loop, or at once on hideGSMMessage(). A new message
// replaces the one shown and restarts the time.
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_BASE_SCREEN_H_
#define ZELTO_SCREENS_BASE_SCREEN_H_

#include <zelto/platform/run_loop.h>

#include <memory>
#include <string>

#include "kit/kit_status_message.h"
#include "platform/view_controller.h"

namespace zelto {

class ZeltoBaseViewController : public platform::ViewController, public KitViewControllerWithGSM {
 public:
  ~ZeltoBaseViewController() override;

  platform::StatusBarStyle preferredStatusBarStyle() const override {
    return platform::StatusBarStyle::kLightContent;
  }
  bool shouldAutorotate() const override { return false; }
  platform::InterfaceOrientationMask supportedInterfaceOrientations() const override {
    return platform::InterfaceOrientationMask::kPortrait;
  }

  // How long a status message stays on screen, in seconds.
  double GSMDuration() const { return 4.0; }

  void showGSMMessage(const std::string& message, KitStatusMessageType type) override;
  void hideGSMMessage() override;
  // The banner while one is shown; null otherwise.
  std::shared_ptr<KitStatusMessageView> statusMessage() const;

 protected:
  void viewDidLoad() override;
  // How far below the top of the view the banner sits.
  virtual double statusMessageTop() const { return 8; }

 private:
  std::shared_ptr<KitStatusMessageView> banner_;
  std::shared_ptr<platform::Timer> bannerTimer_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_BASE_SCREEN_H_
