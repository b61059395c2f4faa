// Drawn pixels where they matter, and QR symbols read back by an independent decoder.
#include "platform/renderer.h"

#include <gtest/gtest.h>
#include <zelto/platform/run_loop.h>

#include <cmath>
#include <string>

#include "base/language.h"
#include "base/resource_bundle.h"
#include "platform/alert_controller.h"
#include "platform/controls.h"
#include "platform/notification_center.h"
#include "platform/qr_code.h"
#include "platform/window.h"
#include "tests/screens/drawn_image.h"

namespace zelto::platform {
namespace {

// A decoded PNG, its channels and the QR code in it.
using Pixels = testing::DrawnImage;

template <typename T>
std::shared_ptr<T> add(View& parent, Rect frame, std::optional<Color> background = std::nullopt) {
  auto view = std::make_shared<T>();
  view->setFrame(frame);
  view->backgroundColor = background;
  parent.addSubview(view);
  return view;
}

TEST(RendererTest, PixelsFollowColoursBordersAlphaAndHiding) {
  const Color red{1, 0, 0, 1}, blue{0, 0, 1, 1};
  auto root = std::make_shared<View>(Rect{0, 0, 100, 100});
  root->backgroundColor = Color::white();
  add<View>(*root, {0, 0, 50, 50}, blue)->hidden = true;
  add<View>(*root, {50, 0, 50, 50}, Color::black())->alpha = 0.4;
  auto framed = add<View>(*root, {0, 50, 50, 50});
  framed->borderWidth = 2;
  framed->borderColor = red;
  // A scroll view shows its content moved by the offset and cut at its edges.
  auto scroll = add<ScrollView>(*root, {50, 50, 50, 50});
  scroll->contentOffset = {0, 20};
  add<View>(*scroll, {0, 30, 50, 100}, blue);

  const Pixels pixels(renderView(*root, 2));
  ASSERT_EQ(pixels.width, 200);
  const struct {
    int x, y, red, green, blue;
  } expected[] = {
      {50, 50, 255, 255, 255},    // the hidden blue view left nothing
      {150, 50, 153, 153, 153},   // black at alpha 0.4 over white
      {1, 150, 255, 0, 0},        // the border, inside the edge
      {50, 150, 255, 255, 255},   // inside the border
      {150, 115, 255, 255, 255},  // above the scrolled content (30 - 20 points down)
      {150, 125, 0, 0, 255},      // the scrolled content
  };
  for (const auto& e : expected) {
    EXPECT_NEAR(pixels.red(e.x, e.y), e.red, 1) << e.x << "," << e.y;
    EXPECT_NEAR(pixels.green(e.x, e.y), e.green, 1) << e.x << "," << e.y;
    EXPECT_NEAR(pixels.blue(e.x, e.y), e.blue, 1) << e.x << "," << e.y;
  }
}

// The rectangle, in pixels, holding every dark pixel; empty when there is none.
Rect darkArea(const Pixels& pixels) {
  int left = pixels.width, top = pixels.height, right = -1, bottom = -1;
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      if (!pixels.dark(x, y)) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return {double(left), double(top), double(right - left + 1), double(bottom - top + 1)};
}

TEST(RendererTest, TextStaysInsideItsLabelWhateverItsLengthAndScript) {
  const struct {
    std::string text;
    bool shrink;
    TextAlignment alignment;
  } cases[] = {
      {"Pay", false, TextAlignment::kCenter},
      {"A merchant name far too long for this label", false, TextAlignment::kLeading},
      {"A merchant name far too long for this label", true, TextAlignment::kLeading},
      {"राम स्टोर 東京 Café", false, TextAlignment::kTrailing},
  };
  for (const auto& c : cases) {
    auto root = std::make_shared<View>(Rect{0, 0, 200, 60});
    auto label = add<Label>(*root, {20, 10, 160, 40});
    label->text = c.text;
    label->font = Font::systemFont(17, FontWeight::kBold);
    label->textAlignment = c.alignment;
    label->adjustsFontSizeToFitWidth = c.shrink;
    label->minimumScaleFactor = 0.3;
    const Rect ink = darkArea(Pixels(renderView(*root, 2)));
    SCOPED_TRACE(c.text);
    ASSERT_GT(ink.width, 0);
    EXPECT_GE(ink.x, 40);
    EXPECT_LE(ink.maxX(), 360);
    EXPECT_GE(ink.y, 20);
    EXPECT_LE(ink.maxY(), 100);
    if (c.alignment == TextAlignment::kCenter) {
      EXPECT_NEAR(ink.x + ink.width / 2, 200, 4);
    }
    if (c.shrink) {
      EXPECT_GT(ink.width, 300);  // shrunk to the width, not cut short
    }
  }
}

// The same views drawn in English and in Arabic: places and alignments mirror, pictures only
// when asked to (a back chevron), and a subtree forced left to right keeps its places.
TEST(RendererTest, RightToLeftMirrorsPlacesAndAlignmentsButNotPictures) {
  const Color blue{0, 0, 1, 1}, green{0, 1, 0, 1};
  // Dark on its left half, light on its right.
  std::vector<std::uint8_t> halves(16 * 16, 255);
  for (int y = 0; y < 16; ++y) std::fill_n(halves.begin() + y * 16, 8, 0);
  const Image half = *grayImage("half", 16, 16, halves, true);
  for (const char* language : {"en", "ar"}) {
    SCOPED_TRACE(language);
    ASSERT_TRUE(setLanguage(language));
    const bool rtl = isRightToLeft(language);
    auto root = std::make_shared<View>(Rect{0, 0, 200, 200});
    root->backgroundColor = Color::white();
    add<View>(*root, {10, 0, 20, 10}, blue);
    auto fixed = add<View>(*root, {100, 0, 100, 10});
    fixed->semanticContentAttribute = SemanticContentAttribute::kForceLeftToRight;
    add<View>(*fixed, {0, 0, 10, 10}, green);
    for (const auto& [y, alignment] :
         {std::pair{20.0, TextAlignment::kLeading}, std::pair{60.0, TextAlignment::kTrailing}}) {
      auto label = add<Label>(*root, {10, y, 180, 30});
      label->text = "Pay";
      label->font = Font::boldSystemFont(17);
      label->textAlignment = alignment;
    }
    auto flipped = add<Button>(*root, {0, 100, 16, 16});
    flipped->setImage(half, ControlState::kNormal);
    flipped->flipsImageForRightToLeft = true;
    auto kept = add<Button>(*root, {0, 130, 16, 16});
    kept->setImage(half, ControlState::kNormal);
    auto toggle = add<Switch>(*root, {100, 160, 51, 31});
    toggle->onTintColor = blue;
    toggle->setOn(true, false);
    const Pixels pixels(renderView(*root, 1));
    useDeviceLanguage();

    EXPECT_EQ(pixels.hexAt(rtl ? 175 : 25, 5), "#0000FF");
    EXPECT_EQ(pixels.hexAt(rtl ? 25 : 175, 5), "#FFFFFF");
    // The forced row is placed from the leading edge, its first child at the row's left.
    EXPECT_EQ(pixels.hexAt(rtl ? 5 : 105, 5), "#00FF00");
    const auto inkOfRow = [&](int top) {
      Pixels row = pixels;
      for (int y = 0; y < row.height; ++y) {
        if (y >= top && y < top + 30) continue;
        for (int x = 0; x < row.width; ++x) row.argb[y * row.width + x] = 0xFFFFFFFF;
      }
      return darkArea(row);
    };
    const Rect leading = inkOfRow(20), trailing = inkOfRow(60);
    ASSERT_GT(leading.width, 0);
    ASSERT_GT(trailing.width, 0);
    // Leading text hugs the left edge of the label in English and the right edge in Arabic.
    EXPECT_LT(rtl ? 190 - leading.maxX() : leading.x - 10, 4);
    EXPECT_LT(rtl ? trailing.x - 10 : 190 - trailing.maxX(), 4);
    // The flipped image's dark half is on the right in Arabic; the other image is as drawn.
    const int buttonLeft = rtl ? 200 - 16 : 0;
    EXPECT_EQ(pixels.dark(buttonLeft + 4, 108), !rtl);
    EXPECT_EQ(pixels.dark(buttonLeft + 12, 108), rtl);
    EXPECT_TRUE(pixels.dark(buttonLeft + 4, 138));
    EXPECT_FALSE(pixels.dark(buttonLeft + 12, 138));
    // A switch that is on has its thumb at the trailing end.
    const int switchLeft = rtl ? 200 - 100 - 51 : 100;
    EXPECT_EQ(pixels.hexAt(switchLeft + 12, 175), rtl ? "#FFFFFF" : "#0000FF");
    EXPECT_EQ(pixels.hexAt(switchLeft + 39, 175), rtl ? "#0000FF" : "#FFFFFF");
  }
}

TEST(RendererTest, ADialogDimsTheScreenBelowIt) {
  auto window = std::make_shared<Window>();
  auto root = std::make_shared<ViewController>();
  root->view()->backgroundColor = Color::white();
  window->setRootViewController(root);
  window->makeKeyAndVisible();
  auto alert = std::make_shared<AlertController>("Session timed out", "Please start again",
                                                 AlertController::Style::kAlert);
  alert->addAction({"OK", AlertActionStyle::kDefault, nullptr});
  root->present(alert, false);
  RunLoop::main().runPending();
  const Pixels pixels(renderWindow(*window, 1));
  EXPECT_NEAR(pixels.red(5, 5), 153, 1);  // white under black at 0.4
  const Rect box = alert->view()->subviews().front()->frame();
  const int midX = static_cast<int>(box.x + box.width / 2);
  EXPECT_GT(pixels.red(midX, static_cast<int>(box.y) + 2), 240);  // the dialog itself is light
  EXPECT_FALSE(darkArea(pixels).width == 0);                      // and carries its title
}

TEST(RendererTest, AFocusedFieldBringsUpTheKeyboardOverTheBottomOfTheWindow) {
  auto window = std::make_shared<Window>();
  auto root = std::make_shared<ViewController>();
  root->view()->backgroundColor = Color::white();
  auto field = std::make_shared<TextField>(Rect{20, 20, 200, 40});
  root->view()->addSubview(field);
  window->setRootViewController(root);
  window->makeKeyAndVisible();
  RunLoop::main().runPending();
  const int x = static_cast<int>(window->frame().width / 2);
  const int belowTheKeys = static_cast<int>(window->frame().height) - 5;
  const int aboveTheKeyboard = static_cast<int>(window->frame().height - kKeyboardHeight) - 5;
  EXPECT_EQ(Pixels(renderWindow(*window, 1)).red(x, belowTheKeys), 255);

  field->becomeFirstResponder();
  const Pixels focused(renderWindow(*window, 1));
  EXPECT_LT(focused.red(x, belowTheKeys), 230);
  EXPECT_EQ(focused.red(x, aboveTheKeyboard), 255);
  field->resignFirstResponder();
  EXPECT_EQ(Pixels(renderWindow(*window, 1)).red(x, belowTheKeys), 255);
}

TEST(QrCodeTest, DrawnSymbolsReadBackAsTheirText) {
  const std::string texts[] = {
      "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510."
      "006215010412340703T016304FB81",
      "5914Café Crème Brûlée6005Genève",
      "5912東京ラーメン店6002大阪",
  };
  for (const auto& text : texts) {
    SCOPED_TRACE(text);
    const auto symbol = qrCodeImage(text);
    ASSERT_TRUE(symbol.has_value());
    EXPECT_TRUE(symbol->isPixelArt());
    EXPECT_EQ(Pixels(*symbol).readQr(), text);
    // One pixel a module: the grid is the symbol and its quiet zone, in the PNG as in modules.
    const Pixels modulePixels(*symbol);
    const QrModules modules = *qrCodeModules(text);
    ASSERT_EQ(modulePixels.width, modules.side);
    ASSERT_EQ(modulePixels.height, modules.side);
    EXPECT_EQ(
        testing::quietZoneFault(modules.side, [&](int x, int y) { return modules.isDark(x, y); }),
        "");
    EXPECT_EQ(testing::quietZoneFault(modules.side,
                                      [&](int x, int y) { return modulePixels.dark(x, y); }),
              "");
    // Drawn in an image view of whole modules: still readable, and only black and white.
    const double side = wholeModuleSide(300, *symbol);
    EXPECT_LE(side, 300);
    EXPECT_DOUBLE_EQ(std::fmod(side * 2, symbol->size().width), 0);
    auto root = std::make_shared<View>(Rect{0, 0, 320, 320});
    root->backgroundColor = Color::white();
    add<ImageView>(*root, {10, 10, side, side})->image = symbol;
    const Pixels drawnPixels(renderView(*root, 2));
    EXPECT_EQ(drawnPixels.readQr(), text);
    // Drawn at whole modules, the quiet zone keeps its four modules: sample each module's centre.
    const double module = side * 2 / modules.side;
    EXPECT_EQ(testing::quietZoneFault(modules.side,
                                      [&](int x, int y) {
                                        return drawnPixels.dark(
                                            static_cast<int>(20 + (x + 0.5) * module),
                                            static_cast<int>(20 + (y + 0.5) * module));
                                      }),
              "");
    int grey = 0;
    for (const std::uint32_t pixel : drawnPixels.argb) {
      const int value = pixel & 0xFF;
      grey += value != 0 && value != 255;
    }
    EXPECT_EQ(grey, 0);
  }
  EXPECT_TRUE(qrCodeImage(std::string(kQrMaxBytes, 'a')).has_value());
  EXPECT_FALSE(qrCodeImage(std::string(kQrMaxBytes + 1, 'a')).has_value());
}

TEST(QrCodeTest, WholeModulesFitTheWidth) {
  const Image symbol("qr", {29, 29}, std::make_shared<const std::string>("png"), true);
  const struct {
    double width, scale, expected;
  } cases[] = {
      {300, 2, 290},        // 20 pixels a module
      {300, 3, 899.0 / 3},  // 31 pixels a module
      {10, 2, 14.5},        // narrower than one pixel a module: one pixel a module
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(wholeModuleSide(c.width, symbol, c.scale), c.expected) << c.width;
  }
}

TEST(RendererTest, WritingToAFolderThatDoesNotExistNamesThePath) {
  const auto error = writeImage(Image(), "/nonexistent-folder/out.png");
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(*error, "cannot write the image to /nonexistent-folder/out.png");
}

}  // namespace
}  // namespace zelto::platform
