// Views in both layout directions: where a frame is seen, touched and converted.
#include "platform/view.h"

#include <gtest/gtest.h>

#include "base/language.h"
#include "platform/controls.h"

namespace zelto::platform {
namespace {

class ViewDirectionTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { ASSERT_TRUE(setLanguage(GetParam())); }
  void TearDown() override { useDeviceLanguage(); }
  static bool rightToLeft() { return isRightToLeft(GetParam()); }
};

template <typename T = View>
std::shared_ptr<T> add(View& parent, Rect frame) {
  auto view = std::make_shared<T>();
  view->setFrame(frame);
  parent.addSubview(view);
  return view;
}

TEST_P(ViewDirectionTest, FramesRunFromTheLeadingEdgeOfTheirSuperview) {
  auto root = std::make_shared<View>(Rect{0, 0, 375, 600});
  auto row = add(*root, {16, 100, 200, 50});
  auto mark = add<Button>(*row, {4, 10, 30, 30});
  auto logos = add(*root, {16, 200, 100, 40});
  logos->semanticContentAttribute = SemanticContentAttribute::kForceLeftToRight;
  auto logo = add(*logos, {0, 0, 20, 40});
  auto scroll = add<ScrollView>(*root, {0, 300, 375, 200});
  scroll->contentOffset = {0, 50};
  auto scrolled = add(*scroll, {10, 60, 20, 20});

  EXPECT_EQ(root->effectiveLayoutDirection(),
            rightToLeft() ? LayoutDirection::kRightToLeft : LayoutDirection::kLeftToRight);
  EXPECT_EQ(logo->effectiveLayoutDirection(), LayoutDirection::kLeftToRight);
  const struct {
    const char* name;
    const View& view;
    double leftToRightX, rightToLeftX;
  } cases[] = {
      {"row", *row, 16, 375 - 16 - 200},
      {"mark in the row", *mark, 16 + 4, (375 - 16 - 200) + (200 - 4 - 30)},
      // The row of logos is placed from the leading edge, its logos from its left edge.
      {"logo", *logo, 16, 375 - 16 - 100},
      {"scrolled view", *scrolled, 10, 375 - 10 - 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Rect shown = c.view.convertToWindow(c.view.bounds());
    EXPECT_EQ(shown.x, rightToLeft() ? c.rightToLeftX : c.leftToRightX);
    EXPECT_EQ(shown.width, c.view.frame().width);
    // A touch in the middle of where the view is seen reaches it.
    EXPECT_EQ(root->hitTest({shown.x + shown.width / 2, shown.y + shown.height / 2}).get(),
              &c.view);
  }
  EXPECT_EQ(scrolled->convertToWindow(scrolled->bounds()).y, 300 + 60 - 50);
  // Where the view would be unmirrored is empty in a right-to-left layout.
  const auto atLeft = root->hitTest({16 + 4 + 15, 100 + 25});
  EXPECT_EQ(atLeft.get() == mark.get(), !rightToLeft());

  // A rectangle inside a view, converted to another view, keeps its leading-edge coordinates:
  // converting back gives the frame the screen set.
  EXPECT_EQ(mark->convertRect(mark->bounds(), *root), (Rect{20, 110, 30, 30}));
  EXPECT_EQ(mark->convertRect(mark->bounds(), *row), mark->frame());
  EXPECT_EQ(mark->convertRect({0, 0, 10, 30}, *row), (Rect{4, 10, 10, 30}));
}

INSTANTIATE_TEST_SUITE_P(Languages, ViewDirectionTest,
                         ::testing::Values("en", "ar", "ar-XB", "hi"));

}  // namespace
}  // namespace zelto::platform
