#include "platform/navigation_controller.h"

#include "platform/window.h"

namespace zelto::platform {

void NavigationBar::show(const NavigationItem& item) {
  while (!subviews().empty()) subviews().back()->removeFromSuperview();
  title_ = item.title;
  // Left items run rightwards from the left edge, right items leftwards from the right edge.
  for (const bool left : {true, false}) {
    double x = left ? kBarItemMargin : frame().width - kBarItemMargin;
    for (const auto& barItem : left ? item.leftBarButtonItems : item.rightBarButtonItems) {
      std::shared_ptr<View> shown;
      switch (barItem->kind()) {
        case BarButtonItem::Kind::kCustomView:
          shown = barItem->customView();
          break;
        case BarButtonItem::Kind::kImage: {
          auto button = std::make_shared<Button>(Rect{0, 0, kBarItemSide, kBarItemSide});
          if (barItem->image()) button->setImage(*barItem->image(), ControlState::kNormal);
          button->accessibilityIdentifier = barItem->accessibilityIdentifier;
          button->tintColor = barItem->tintColor ? barItem->tintColor : tintColor;
          if (barItem->action()) button->addAction(ControlEvent::kTouchUpInside, barItem->action());
          shown = button;
          break;
        }
        case BarButtonItem::Kind::kFixedSpace:
          x += left ? barItem->width() : -barItem->width();
          break;
      }
      if (!shown) continue;
      const Size size = shown->frame().size();
      if (!left) x -= size.width;
      shown->setFrame({x, (frame().height - size.height) / 2, size.width, size.height});
      if (left) x += size.width;
      addSubview(shown);
    }
  }
}

NavigationController::NavigationController() : bar_(std::make_shared<NavigationBar>()) {}

std::shared_ptr<View> NavigationController::loadView() {
  auto view = std::make_shared<View>(mainScreenBounds());
  bar_->setFrame({0, 0, view->frame().width, kNavigationBarHeight});
  view->addSubview(bar_);
  return view;
}

std::shared_ptr<ViewController> NavigationController::topViewController() const {
  return stack_.empty() ? nullptr : stack_.back();
}

void NavigationController::showTop(bool slideIn) {
  const auto top = topViewController();
  if (!top) return;
  const auto& container = view();
  const auto& content = top->view();
  bar_->show(top->navigationItem());
  const Rect area = contentArea();
  container->addSubview(content);
  if (slideIn) {
    content->setFrame({area.width, area.y, area.width, area.height});
    animate(kNavigationTransitionDuration, 0, AnimationCurve::kEaseOut,
            [&] { content->setFrame(area); });
  } else {
    content->setFrame(area);
  }
}

Rect NavigationController::contentArea() {
  const Rect whole = view()->bounds();
  if (bar_->hidden) return whole;
  return {0, kNavigationBarHeight, whole.width, whole.height - kNavigationBarHeight};
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated) {
  if (bar_->hidden == hidden) return;
  bar_->hidden = hidden;
  const auto top = topViewController();
  if (!top || !top->isViewLoaded()) return;
  const auto& content = top->view();
  const Rect area = contentArea();
  if (animated) {
    animate(kNavigationBarHideShowDuration, 0, AnimationCurve::kEaseOut,
            [&] { content->setFrame(area); });
  } else {
    content->setFrame(area);
  }
}

void NavigationController::pushViewController(std::shared_ptr<ViewController> screen,
                                              bool animated) {
  if (!screen || !screen->navigationController_.expired() ||
      screen.get() == static_cast<ViewController*>(this)) {
    return;
  }
  const auto previous = topViewController();
  screen->navigationController_ =
      std::static_pointer_cast<NavigationController>(weak_from_this().lock());
  stack_.push_back(screen);
  if (previous) {
    previous->setAppearing(false, animated);
    if (previous->isViewLoaded()) previous->view()->removeFromSuperview();
  }
  showTop(animated && previous != nullptr);
  if (isAppearing()) screen->setAppearing(true, animated);
  // The screen may have changed its items as it appeared.
  bar_->show(screen->navigationItem());
}

std::shared_ptr<ViewController> NavigationController::popViewController(bool animated) {
  if (stack_.size() < 2) return nullptr;
  auto popped = stack_.back();
  stack_.pop_back();
  popped->navigationController_.reset();
  popped->setAppearing(false, animated);
  showTop(false);
  if (popped->isViewLoaded()) {
    const auto& leaving = popped->view();
    if (animated) {
      // Kept on top until it has slid out to the right.
      view()->addSubview(leaving);
      animate(
          kNavigationTransitionDuration, 0, AnimationCurve::kEaseOut,
          [&] {
            leaving->setFrame({leaving->frame().width, leaving->frame().y, leaving->frame().width,
                               leaving->frame().height});
          },
          [leaving](bool) { leaving->removeFromSuperview(); });
    } else {
      leaving->removeFromSuperview();
    }
  }
  if (isAppearing()) topViewController()->setAppearing(true, animated);
  bar_->show(topViewController()->navigationItem());
  return popped;
}

void NavigationController::setAppearing(bool appearing, bool animated) {
  ViewController::setAppearing(appearing, animated);
  if (const auto top = topViewController()) {
    top->setAppearing(appearing, animated);
    if (appearing) bar_->show(top->navigationItem());
  }
}

}  // namespace zelto::platform
