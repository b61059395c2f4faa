// The navigation controllers of the library's flows.
//
// ZELTONavigationBaseController: a flat, opaque navigation bar (empty background and shadow
// images), swipe-back enabled, light status bar, portrait only.
//
// ZeltoMerchantNavigationController: bar colours and title text from the configuration in force
// (items and title in fontColor, background in backgroundColor, bold system font of 20 points).
// Every screen it shows, the root included, gets a back button (accessibility identifier
// "Back_Button", image issuerBackButton, highlighted background actionButtonActiveColor) that
// runs popAction(): it pops the top screen, and on the root screen ends the flow without telling
// the host. Pushes always animate.
//
// Create with create(root). Thread-safety: main thread only.
#ifndef ZELTO_SDK_FLOW_NAVIGATION_CONTROLLER_H_
#define ZELTO_SDK_FLOW_NAVIGATION_CONTROLLER_H_

#include <memory>

#include "platform/navigation_controller.h"

namespace zelto {

class ZELTONavigationBaseController : public platform::NavigationController {
 public:
  ZELTONavigationBaseController();

  platform::StatusBarStyle preferredStatusBarStyle() const override {
    return platform::StatusBarStyle::kLightContent;
  }
  bool shouldAutorotate() const override { return false; }
  platform::InterfaceOrientationMask supportedInterfaceOrientations() const override {
    return platform::InterfaceOrientationMask::kPortrait;
  }
};

class ZeltoMerchantNavigationController : public ZELTONavigationBaseController {
 public:
  ZeltoMerchantNavigationController();

  static std::shared_ptr<ZeltoMerchantNavigationController> create(
      std::shared_ptr<platform::ViewController> root);

  // Adds the back button to `screen`'s navigation item, then pushes it, always animated.
  void pushViewController(std::shared_ptr<platform::ViewController> screen, bool animated) override;
  // An item that already has a back item gets a plain image item (issuerBackButton, no action)
  // there instead; otherwise its left items become a fixed space of -10 and the back button.
  void addLeftBarButtonItem(platform::NavigationItem& item);
  // The back button: pops the top screen, animated; with only the root screen left, dismisses
  // the library's window. In the request-payment flow the payment details are marked as not
  // updated.
  void popAction();
};

}  // namespace zelto

#endif  // ZELTO_SDK_FLOW_NAVIGATION_CONTROLLER_H_
