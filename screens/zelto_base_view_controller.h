// ZeltoBaseViewController: the base of every screen of the library. Its view takes the
// configuration's background colour when loaded; light status bar, portrait only.
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_ZELTO_BASE_VIEW_CONTROLLER_H_
#define ZELTO_SCREENS_ZELTO_BASE_VIEW_CONTROLLER_H_

#include "platform/view_controller.h"

namespace zelto {

class ZeltoBaseViewController : public platform::ViewController {
 public:
  platform::StatusBarStyle preferredStatusBarStyle() const override {
    return platform::StatusBarStyle::kLightContent;
  }
  bool shouldAutorotate() const override { return false; }
  platform::InterfaceOrientationMask supportedInterfaceOrientations() const override {
    return platform::InterfaceOrientationMask::kPortrait;
  }

  // How long a status message stays on screen, in seconds.
  double GSMDuration() const { return 4.0; }

 protected:
  void viewDidLoad() override;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_ZELTO_BASE_VIEW_CONTROLLER_H_
