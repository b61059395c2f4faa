#include "base/resource_bundle.h"

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

  // Drawn icons come at 2 and 3 pixels a point: the same size in points, the scale asked for.
  const auto pixelWidth = [](const Image& image) {
    return static_cast<unsigned char>(image.bytes()[18]) * 256 +
           static_cast<unsigned char>(image.bytes()[19]);
  };
  for (const auto& [scale, pixels] : {std::pair{1.0, 48}, {2.0, 48}, {2.5, 72}, {3.0, 72}}) {
    const auto share = imageNamed("icon_share", scale);
    ASSERT_TRUE(share.has_value());
    EXPECT_EQ(share->size(), (Size{24, 24}));
    EXPECT_EQ(pixelWidth(*share), pixels) << scale;
  }
  EXPECT_EQ(imageNamed("icon_left_arrow", 3), arrow);  // only one scale: that one

  EXPECT_FALSE(imageNamed("no_such_image").has_value());
  EXPECT_FALSE(imageNamed("icon_share@2x").has_value());
  EXPECT_FALSE(imageNamed("icon_left_arrow.png").has_value());
}

}  // namespace
}  // namespace zelto::platform
