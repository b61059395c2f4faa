#include "platform/resource_bundle.h"

#include <gtest/gtest.h>

namespace zelto::platform {
namespace {

TEST(ResourceBundleTest, LooksUpTextsAndFallsBackToTheKey) {
  EXPECT_EQ(localizedString("ZELTO_OK"), "OK");
  EXPECT_NE(localizedString("ZELTO_SESSION_TIMEOUT_DIALOG"), "ZELTO_SESSION_TIMEOUT_DIALOG");
  EXPECT_EQ(localizedString("NO_SUCH_KEY"), "NO_SUCH_KEY");
}

TEST(ResourceBundleTest, LoadsEmbeddedImagesByName) {
  const auto arrow = imageNamed("icon_left_arrow");
  ASSERT_TRUE(arrow.has_value());
  EXPECT_EQ(arrow->name(), "icon_left_arrow");
  EXPECT_EQ(arrow->size(), (Size{24, 24}));
  EXPECT_TRUE(arrow->bytes().starts_with("\x89PNG"));

  EXPECT_FALSE(imageNamed("no_such_image").has_value());
  EXPECT_FALSE(imageNamed("icon_left_arrow.png").has_value());
}

}  // namespace
}  // namespace zelto::platform
