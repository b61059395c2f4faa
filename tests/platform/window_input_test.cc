// What a display needs of the platform layer: which view a touch lands on, when the running
// animations end, and a main screen of its own size.
#include <gtest/gtest.h>
#include <zelto/platform/run_loop.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/animation.h"
#include "platform/controls.h"
#include "platform/view.h"
#include "platform/window.h"

namespace zelto::platform {
namespace {

template <typename T = View>
std::shared_ptr<T> add(View& parent, Rect frame, std::string identifier) {
  auto view = std::make_shared<T>(frame);
  view->accessibilityIdentifier = std::move(identifier);
  parent.addSubview(view);
  return view;
}

TEST(HitTestTest, FindsTheFrontmostTouchableViewUnderThePoint) {
  auto root = std::make_shared<View>(Rect{0, 0, 200, 200});
  root->accessibilityIdentifier = "root";
  auto button = add<Button>(*root, {10, 10, 60, 40}, "button");
  add<Label>(*button, {5, 5, 50, 30}, "title");
  add<Button>(*root, {10, 60, 60, 40}, "disabled")->enabled = false;
  // Views a touch passes through, each over a button.
  add<Button>(*root, {100, 10, 60, 40}, "under hidden");
  add(*root, {100, 10, 60, 40}, "hidden")->hidden = true;
  add<Button>(*root, {100, 60, 60, 40}, "under transparent");
  add(*root, {100, 60, 60, 40}, "transparent")->alpha = 0;
  add<Button>(*root, {100, 110, 60, 40}, "under inert");
  add(*root, {100, 110, 60, 40}, "inert")->userInteractionEnabled = false;
  // A later sibling covers an earlier one.
  add<Button>(*root, {10, 110, 60, 40}, "covered");
  add(*root, {10, 110, 60, 40}, "cover");
  // A child sticking out of its parent is not reached outside the parent.
  auto small = add(*root, {10, 160, 20, 20}, "small");
  add<Button>(*small, {0, 0, 100, 20}, "overhang");
  // Scrolled content: the button at content y 100 shows at y 40 of the scroll view.
  auto scroll = add<ScrollView>(*root, {170, 0, 30, 200}, "scroll");
  scroll->contentSize = {30, 400};
  scroll->contentOffset = {0, 60};
  add<Button>(*scroll, {0, 100, 30, 20}, "scrolled");

  const struct {
    Point point;
    std::string expected;
  } cases[] = {
      {{12, 12}, "button"},
      {{20, 20}, "title"},
      {{69.5, 49.5}, "button"},
      {{70, 20}, "root"},
      {{20, 70}, "disabled"},
      {{110, 20}, "under hidden"},
      {{110, 70}, "under transparent"},
      {{110, 120}, "under inert"},
      {{20, 120}, "cover"},
      {{20, 170}, "overhang"},
      {{50, 170}, "root"},
      {{180, 45}, "scrolled"},
      {{180, 105}, "scroll"},
      {{199, 199}, "scroll"},
      {{200, 10}, ""},
      {{-1, 10}, ""},
  };
  for (const auto& c : cases) {
    const auto hit = root->hitTest(c.point);
    EXPECT_EQ(hit ? hit->accessibilityIdentifier : "", c.expected)
        << "at " << c.point.x << ", " << c.point.y;
  }
  root->hidden = true;
  EXPECT_EQ(root->hitTest({20, 20}), nullptr);
}

TEST(AnimationEndTest, IsTheLatestEndOfEveryAnimationStarted) {
  auto& loop = RunLoop::main();
  const double start = loop.now();
  const double before = animationsEndTime();
  EXPECT_TRUE(before <= start) << before;
  auto view = std::make_shared<View>(Rect{0, 0, 10, 10});
  animate(0.3, 0.1, AnimationCurve::kEaseOut, [&] { view->setFrame({5, 0, 10, 10}); });
  EXPECT_DOUBLE_EQ(animationsEndTime(), start + 0.4);
  // A shorter animation started later does not bring the end forward.
  animate(0.1, 0, AnimationCurve::kLinear, [&] { view->alpha = 0.5; });
  EXPECT_DOUBLE_EQ(animationsEndTime(), start + 0.4);
  loop.runFor(1);
  animate(0.2, 0, AnimationCurve::kLinear, nullptr);
  EXPECT_DOUBLE_EQ(animationsEndTime(), start + 1.2);
  loop.runFor(1);
}

TEST(FadeTest, AlphaIsSetAtOnceAndShownPartWayUntilTheFadeEnds) {
  // Near, not equal: the run loop's clock may already be far from 0.
  auto& loop = RunLoop::main();
  auto view = std::make_shared<View>(Rect{0, 0, 10, 10});
  view->alpha = 0;
  animate(0.2, 0, AnimationCurve::kLinear, [&] { view->alpha = 1; });
  EXPECT_EQ(view->alpha, 1);
  EXPECT_NEAR(view->alpha.presentationValue(), 0, 1e-9);
  loop.runFor(0.05);
  EXPECT_NEAR(view->alpha.presentationValue(), 0.25, 1e-9);
  // Turned back half way: the fade out starts from what is shown.
  animate(0.1, 0, AnimationCurve::kLinear, [&] { view->alpha = 0; });
  EXPECT_NEAR(view->alpha.presentationValue(), 0.25, 1e-9);
  loop.runFor(0.05);
  EXPECT_NEAR(view->alpha.presentationValue(), 0.125, 1e-9);
  loop.runFor(0.05);
  EXPECT_NEAR(view->alpha.presentationValue(), 0, 1e-9);
  // Set outside an animation (or copied from another view), the value shows at once.
  animate(1, 0, AnimationCurve::kLinear, [&] { view->alpha = 1; });
  auto other = std::make_shared<View>(Rect{0, 0, 10, 10});
  other->alpha = 0.4;
  view->alpha = other->alpha;
  EXPECT_NEAR(view->alpha.presentationValue(), 0.4, 1e-9);
  loop.runFor(1);
}

TEST(MainScreenSizeTest, NewWindowsTakeTheSizeAndNonsenseIsIgnored) {
  const Rect original = mainScreenBounds();
  setMainScreenSize({375, 667});
  EXPECT_EQ(std::make_shared<Window>()->frame(), (Rect{0, 0, 375, 667}));
  const double nan = std::nan("");
  const double infinity = std::numeric_limits<double>::infinity();
  for (const Size bad :
       {Size{0, 667}, Size{375, 0.5}, Size{-375, 667}, Size{nan, 667}, Size{375, infinity}}) {
    setMainScreenSize(bad);
    EXPECT_EQ(mainScreenBounds(), (Rect{0, 0, 375, 667})) << bad.width << "x" << bad.height;
  }
  setMainScreenSize(original.size());
  EXPECT_EQ(mainScreenBounds(), original);
}

}  // namespace
}  // namespace zelto::platform
