// View controllers: one screen's view, its navigation item, and the modal presentation chain.
//
// A controller creates its view on first access of view() (loadView(), then viewDidLoad()).
// present() shows another controller above this one: the presenter holds the presented
// controller strongly and the presented one knows its presenter weakly. Presented views are
// placed in the presenter's window, on top; an animated presentation or dismissal slides the
// view over kTransitionDuration seconds and runs its completion from the main run loop when the
// slide ends; a non-animated one runs its completion at the next turn of the run loop.
//
// Appearance: viewWillAppear/viewDidAppear run when the controller's view is put on screen (as
// a window's root, pushed or revealed by a navigation controller, presented);
// viewWillDisappear/viewDidDisappear when it is taken off.
//
// Controllers are created with std::make_shared. Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_VIEW_CONTROLLER_H_
#define ZELTO_PLATFORM_VIEW_CONTROLLER_H_

#include <zelto/base/color.h>
#include <zelto/base/image.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/view.h"

namespace zelto::platform {

class NavigationController;

inline constexpr double kTransitionDuration = 0.3;

enum class StatusBarStyle { kDefault, kLightContent, kDarkContent };
enum class InterfaceOrientationMask { kPortrait, kLandscape, kAll };

// An item of a navigation bar: a custom view, a fixed space, or an image with an action.
class BarButtonItem {
 public:
  enum class Kind { kCustomView, kFixedSpace, kImage };

  static std::shared_ptr<BarButtonItem> withCustomView(std::shared_ptr<View> view);
  static std::shared_ptr<BarButtonItem> fixedSpace(double width);
  // `action` may be empty: the item then does nothing when tapped.
  static std::shared_ptr<BarButtonItem> withImage(Image image, std::function<void()> action);

  Kind kind() const { return kind_; }
  const std::shared_ptr<View>& customView() const { return customView_; }
  double width() const { return width_; }
  const std::optional<Image>& image() const { return image_; }
  const std::function<void()>& action() const { return action_; }

  std::optional<Color> tintColor;
  std::string accessibilityIdentifier;

 private:
  explicit BarButtonItem(Kind kind) : kind_(kind) {}

  Kind kind_;
  std::shared_ptr<View> customView_;
  double width_ = 0;
  std::optional<Image> image_;
  std::function<void()> action_;
};

// What a navigation bar shows while its controller is on top.
class NavigationItem {
 public:
  std::string title;
  // The item shown on the next screen's bar to come back here; absent by default.
  std::shared_ptr<BarButtonItem> backBarButtonItem;
  std::vector<std::shared_ptr<BarButtonItem>> leftBarButtonItems;
  std::vector<std::shared_ptr<BarButtonItem>> rightBarButtonItems;
};

class ViewController : public std::enable_shared_from_this<ViewController> {
 public:
  ViewController() = default;
  virtual ~ViewController() = default;
  ViewController(const ViewController&) = delete;
  ViewController& operator=(const ViewController&) = delete;

  const std::shared_ptr<View>& view();
  bool isViewLoaded() const { return view_ != nullptr; }

  NavigationItem& navigationItem() { return navigationItem_; }
  // The navigation controller whose stack holds this controller, if any.
  std::shared_ptr<NavigationController> navigationController() const {
    return navigationController_.lock();
  }

  // Shows `controller` above this one. Refused (nothing happens, the completion does not run)
  // when this controller already presents one or `controller` is already presented.
  void present(const std::shared_ptr<ViewController>& controller, bool animated,
               std::function<void()> completion = nullptr);
  // Takes away the controller this one presents, or, when it presents none, this controller
  // from its presenter. Anything presented above the dismissed controller goes with it. When
  // there is nothing to dismiss the completion does not run; when that controller is already
  // being dismissed, the completion runs once that dismissal ends.
  void dismiss(bool animated, std::function<void()> completion = nullptr);
  std::shared_ptr<ViewController> presentedViewController() const { return presented_; }
  std::shared_ptr<ViewController> presentingViewController() const { return presenting_.lock(); }

  virtual StatusBarStyle preferredStatusBarStyle() const { return StatusBarStyle::kDefault; }
  virtual bool shouldAutorotate() const { return true; }
  virtual InterfaceOrientationMask supportedInterfaceOrientations() const {
    return InterfaceOrientationMask::kAll;
  }

  // Runs viewWillAppear then viewDidAppear (appearing), or the two disappearance callbacks,
  // unless the controller is already in that state; windows and containers call it when they
  // put the view on screen or take it off.
  virtual void setAppearing(bool appearing, bool animated);
  bool isAppearing() const { return appearing_; }

 protected:
  // Creates the view; the default is a plain view the size of the main screen.
  virtual std::shared_ptr<View> loadView();
  virtual void viewDidLoad() {}
  virtual void viewWillAppear(bool /*animated*/) {}
  virtual void viewDidAppear(bool /*animated*/) {}
  virtual void viewWillDisappear(bool /*animated*/) {}
  virtual void viewDidDisappear(bool /*animated*/) {}

 private:
  friend class NavigationController;

  std::shared_ptr<View> view_;
  NavigationItem navigationItem_;
  std::weak_ptr<NavigationController> navigationController_;
  std::shared_ptr<ViewController> presented_;
  std::weak_ptr<ViewController> presenting_;
  bool dismissing_ = false;
  std::vector<std::function<void()>> dismissWaiters_;
  bool appearing_ = false;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_VIEW_CONTROLLER_H_
