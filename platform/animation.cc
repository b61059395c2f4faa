#include "platform/animation.h"

#include <zelto/platform/run_loop.h>

#include <algorithm>
#include <limits>
#include <utility>

namespace zelto::platform {
namespace {

const AnimationContext*& currentContext() {
  static const AnimationContext* context = nullptr;
  return context;
}

double& latestEnd() {
  static double end = -std::numeric_limits<double>::infinity();
  return end;
}

}  // namespace

double animationCurveValue(AnimationCurve curve, double progress) {
  const double t = std::clamp(progress, 0.0, 1.0);
  switch (curve) {
    case AnimationCurve::kLinear:
      return t;
    case AnimationCurve::kEaseOut:
      return 1 - (1 - t) * (1 - t);
  }
  return t;
}

void animate(double duration, double delay, AnimationCurve curve,
             const std::function<void()>& animations,
             std::function<void(bool finished)> completion) {
  auto& loop = RunLoop::main();
  const AnimationContext context{loop.now() + std::max(delay, 0.0), std::max(duration, 0.0), curve};
  latestEnd() = std::max(latestEnd(), context.start + context.duration);
  const AnimationContext* outer = std::exchange(currentContext(), &context);
  if (animations) animations();
  currentContext() = outer;
  loop.scheduleTimer(std::max(delay, 0.0) + context.duration, [completion = std::move(completion)] {
    if (completion) completion(true);
  });
}

double animationsEndTime() { return latestEnd(); }

const AnimationContext* currentAnimationContext() { return currentContext(); }

AnimatableValue& AnimatableValue::operator=(double value) {
  if (const auto* context = currentAnimationContext()) {
    from_ = presentationValue();
    animation_ = *context;
  } else {
    animation_.reset();
  }
  value_ = value;
  return *this;
}

double AnimatableValue::presentationValue() const {
  if (!animation_) return value_;
  const double elapsed = RunLoop::main().now() - animation_->start;
  if (elapsed >= animation_->duration) return value_;
  if (elapsed <= 0) return from_;
  return from_ +
         (value_ - from_) * animationCurveValue(animation_->curve, elapsed / animation_->duration);
}

}  // namespace zelto::platform
