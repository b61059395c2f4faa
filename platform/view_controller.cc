#include "platform/view_controller.h"

#include <zelto/platform/run_loop.h>

#include "platform/window.h"

namespace zelto::platform {
namespace {

// Runs `completion` when a transition ends: after the slide when animated, else at the next
// turn of the run loop.
void finishTransition(bool animated, std::function<void()> completion) {
  if (!animated) {
    RunLoop::main().async(std::move(completion));
    return;
  }
  animate(kTransitionDuration, 0, AnimationCurve::kEaseOut, nullptr,
          [completion = std::move(completion)](bool) { completion(); });
}

Rect belowScreen(const Rect& bounds) { return {0, bounds.height, bounds.width, bounds.height}; }

}  // namespace

std::shared_ptr<BarButtonItem> BarButtonItem::withCustomView(std::shared_ptr<View> view) {
  auto item = std::shared_ptr<BarButtonItem>(new BarButtonItem(Kind::kCustomView));
  item->customView_ = std::move(view);
  return item;
}

std::shared_ptr<BarButtonItem> BarButtonItem::fixedSpace(double width) {
  auto item = std::shared_ptr<BarButtonItem>(new BarButtonItem(Kind::kFixedSpace));
  item->width_ = width;
  return item;
}

std::shared_ptr<BarButtonItem> BarButtonItem::withImage(Image image, std::function<void()> action) {
  auto item = std::shared_ptr<BarButtonItem>(new BarButtonItem(Kind::kImage));
  item->image_ = std::move(image);
  item->action_ = std::move(action);
  return item;
}

const std::shared_ptr<View>& ViewController::view() {
  if (!view_) {
    view_ = loadView();
    viewDidLoad();
  }
  return view_;
}

std::shared_ptr<View> ViewController::loadView() {
  return std::make_shared<View>(mainScreenBounds());
}

void ViewController::setAppearing(bool appearing, bool animated) {
  if (appearing_ == appearing) return;
  appearing_ = appearing;
  if (appearing) {
    view();
    viewWillAppear(animated);
    viewDidAppear(animated);
  } else {
    viewWillDisappear(animated);
    viewDidDisappear(animated);
  }
}

void ViewController::present(const std::shared_ptr<ViewController>& controller, bool animated,
                             std::function<void()> completion) {
  if (!controller || controller.get() == this || presented_ || !controller->presenting_.expired()) {
    return;
  }
  presented_ = controller;
  controller->presenting_ = weak_from_this();
  const auto& shown = controller->view();
  if (auto window = view()->window()) {
    window->addSubview(shown);
    const Rect bounds = window->bounds();
    if (animated) {
      shown->setFrame(belowScreen(bounds));
      animate(kTransitionDuration, 0, AnimationCurve::kEaseOut, [&] { shown->setFrame(bounds); });
    } else {
      shown->setFrame(bounds);
    }
  }
  controller->setAppearing(true, animated);
  finishTransition(animated, [completion = std::move(completion)] {
    if (completion) completion();
  });
}

void ViewController::dismiss(bool animated, std::function<void()> completion) {
  std::shared_ptr<ViewController> presenter;
  std::shared_ptr<ViewController> target;
  if (presented_) {
    presenter = weak_from_this().lock();
    target = presented_;
  } else {
    presenter = presenting_.lock();
    target = weak_from_this().lock();
  }
  if (!presenter || !target) return;
  if (target->dismissing_) {
    // Already on its way out: this request completes with the dismissal under way.
    if (completion) target->dismissWaiters_.push_back(std::move(completion));
    return;
  }
  target->dismissing_ = true;

  // Whatever is presented above the target leaves with it, without a slide of its own.
  for (auto above = target->presented_; above;) {
    auto next = above->presented_;
    above->setAppearing(false, false);
    if (above->isViewLoaded()) above->view_->removeFromSuperview();
    above->presented_.reset();
    above->presenting_.reset();
    above = next;
  }
  target->presented_.reset();

  target->setAppearing(false, animated);
  if (animated && target->isViewLoaded()) {
    const auto& shown = target->view_;
    animate(kTransitionDuration, 0, AnimationCurve::kEaseOut,
            [&] { shown->setFrame(belowScreen(shown->frame())); });
  }
  finishTransition(animated, [presenter, target, completion = std::move(completion)] {
    if (target->isViewLoaded()) target->view_->removeFromSuperview();
    if (presenter->presented_ == target) presenter->presented_.reset();
    target->presenting_.reset();
    target->dismissing_ = false;
    auto waiters = std::move(target->dismissWaiters_);
    target->dismissWaiters_.clear();
    if (completion) completion();
    for (const auto& waiter : waiters) waiter();
  });
}

}  // namespace zelto::platform
