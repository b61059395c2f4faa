// A navigation controller: a stack of screens under a navigation bar. The top screen's view
// fills the area below the bar (all of it while the bar is hidden); the bar shows the top
// screen's navigation item.
//
// Create one with NavigationController::create<T>(root): it builds T and pushes `root` through
// T's pushViewController, as the phone toolkit does, so subclasses see the root screen too.
// The first push never animates; later animated pushes and pops slide the screen in from (or
// out to) the right over kNavigationTransitionDuration seconds.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_NAVIGATION_CONTROLLER_H_
#define ZELTO_PLATFORM_NAVIGATION_CONTROLLER_H_

#include <memory>
#include <optional>
#include <vector>

#include "platform/view.h"
#include "platform/view_controller.h"

namespace zelto::platform {

inline constexpr double kNavigationTransitionDuration = 0.35;
inline constexpr double kNavigationBarHeight = 44;
inline constexpr double kNavigationBarHideShowDuration = 0.2;
// Bar items keep this far from the bar's edges; image items are square buttons of this side.
inline constexpr double kBarItemMargin = 8;
inline constexpr double kBarItemSide = 44;

class NavigationBar : public View {
 public:
  struct TitleTextAttributes {
    std::optional<Color> foregroundColor;
    std::optional<Font> font;
  };

  // Shows `item`: its title, then its left and right items, centred vertically in the bar, left
  // items from the left edge and right items from the right edge (first item outermost).
  // Custom views keep their size; image items become kBarItemSide-point buttons running the
  // item's action, tinted by the item's or else the bar's tint; fixed spaces leave room.
  void show(const NavigationItem& item);
  const std::string& title() const { return title_; }
  void draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const override;
  bool drawsTextWhole(const Rect& bounds, LayoutDirection direction) const override;

  bool translucent = true;
  std::optional<Color> barTintColor;  // the bar's background
  std::optional<Color> tintColor;     // the colour of its items
  TitleTextAttributes titleTextAttributes;
  // An empty image for both gives a flat bar without the bottom hairline.
  std::optional<Image> backgroundImage;
  std::optional<Image> shadowImage;

 private:
  std::string title_;
};

class NavigationController : public ViewController {
 public:
  template <typename T>
  static std::shared_ptr<T> create(std::shared_ptr<ViewController> root) {
    auto controller = std::make_shared<T>();
    controller->pushViewController(std::move(root), false);
    return controller;
  }

  // An empty stack; create<T>() is the usual way in.
  NavigationController();

  const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return stack_; }
  std::shared_ptr<ViewController> topViewController() const;
  const std::shared_ptr<NavigationBar>& navigationBar() const { return bar_; }

  // Puts `screen` on top. A screen already in a navigation stack is refused.
  virtual void pushViewController(std::shared_ptr<ViewController> screen, bool animated);
  // Takes the top screen off and returns it; returns null (and changes nothing) when the root
  // screen is on top.
  virtual std::shared_ptr<ViewController> popViewController(bool animated);

  // Hides or shows the bar; the top screen's view then fills the whole view or the area below
  // the bar (animated over kNavigationBarHideShowDuration seconds). Pushed and revealed screens
  // keep the setting.
  void setNavigationBarHidden(bool hidden, bool animated);
  bool isNavigationBarHidden() const { return bar_->hidden; }

  void setAppearing(bool appearing, bool animated) override;

  bool interactivePopGestureEnabled = false;

 protected:
  std::shared_ptr<View> loadView() override;

 private:
  void showTop(bool slideIn);
  // Where the top screen's view goes: below the bar, or everything when the bar is hidden.
  Rect contentArea();

  std::vector<std::shared_ptr<ViewController>> stack_;
  std::shared_ptr<NavigationBar> bar_;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_NAVIGATION_CONTROLLER_H_
