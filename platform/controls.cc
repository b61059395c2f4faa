#include "platform/controls.h"

#include <algorithm>

namespace zelto::platform {
namespace {

// The offset on one axis that brings [start, end) between the insets of a visible length.
double scrolledTo(double offset, double start, double end, double visible, double insetBefore,
                  double insetAfter, double contentLength) {
  const double first = offset + insetBefore;
  const double last = offset + visible - insetAfter;
  if (end - start > last - first || start < first) {
    offset = start - insetBefore;
  } else if (end > last) {
    offset = end - visible + insetAfter;
  }
  const double lowest = -insetBefore;
  const double highest = std::max(lowest, contentLength + insetAfter - visible);
  return std::clamp(offset, lowest, highest);
}

}  // namespace

void Switch::setOn(bool on, bool /*animated*/) { on_ = on; }

void Switch::tapped() {
  on_ = !on_;
  sendActions(ControlEvent::kValueChanged);
}

void ActivityIndicatorView::startAnimating() {
  animating_ = true;
  hidden = false;
}

void ActivityIndicatorView::stopAnimating() {
  animating_ = false;
  if (hidesWhenStopped) hidden = true;
}

void ScrollView::setContentOffset(Point offset, bool /*animated*/) { contentOffset = offset; }

void ScrollView::scrollRectToVisible(Rect rect, bool animated) {
  const Rect shown = bounds();
  setContentOffset({scrolledTo(contentOffset.x, rect.x, rect.maxX(), shown.width, contentInset.left,
                               contentInset.right, contentSize.width),
                    scrolledTo(contentOffset.y, rect.y, rect.maxY(), shown.height, contentInset.top,
                               contentInset.bottom, contentSize.height)},
                   animated);
}

}  // namespace zelto::platform
