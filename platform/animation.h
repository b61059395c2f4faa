// View animations. animate() runs `animations` at once, so every property it sets holds its new
// value straight away (as on the phone); frames and alphas changed inside the block also remember
// where they came from, and View::presentationFrame() and alpha.presentationValue() report the
// in-between position while the animation runs. The completion runs from the main run loop once
// `delay + duration` seconds have passed, always with finished = true.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_ANIMATION_H_
#define ZELTO_PLATFORM_ANIMATION_H_

#include <functional>
#include <optional>

namespace zelto::platform {

enum class AnimationCurve { kLinear, kEaseOut };

// How far (0 to 1) an animation of `curve` has got after `progress` (0 to 1) of its time.
// Ease-out is quadratic: fast at first, slowing to a stop.
double animationCurveValue(AnimationCurve curve, double progress);

void animate(double duration, double delay, AnimationCurve curve,
             const std::function<void()>& animations,
             std::function<void(bool finished)> completion = nullptr);

// When the last of the animations started so far ends (delay and duration), on the main run
// loop's clock; minus infinity before the first. A display draws frames until then.
double animationsEndTime();

// The animation whose block is running, if any; read by View when a frame changes.
struct AnimationContext {
  double start;
  double duration;
  AnimationCurve curve;
};
const AnimationContext* currentAnimationContext();

// A number a view shows that animations move gradually (a view's alpha). It reads and is set as
// a double; set inside an animate() block, it also remembers the value shown at that moment, and
// presentationValue() goes from there to the new value over the animation's time.
class AnimatableValue {
 public:
  AnimatableValue(double value) : value_(value) {}  // NOLINT: implicit, it stands for a double
  AnimatableValue(const AnimatableValue&) = default;
  AnimatableValue& operator=(double value);
  AnimatableValue& operator=(const AnimatableValue& other) { return *this = other.value_; }

  operator double() const { return value_; }  // NOLINT: implicit by design
  // The value shown at this moment on the main run loop's clock.
  double presentationValue() const;

 private:
  double value_;
  double from_ = 0;
  std::optional<AnimationContext> animation_;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_ANIMATION_H_
