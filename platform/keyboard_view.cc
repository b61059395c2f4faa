#include "platform/keyboard_view.h"

#include "platform/canvas.h"
#include "platform/notification_center.h"

namespace zelto::platform {
namespace {

constexpr Color kGround{0.82, 0.83, 0.85, 1};
constexpr Color kKeyShadow{0.54, 0.55, 0.57, 1};
constexpr Color kDarkKey{0.67, 0.69, 0.73, 1};
constexpr double kBottomInset = 34;  // the home indicator's strip
constexpr double kGap = 6;

bool isNumeric(KeyboardType type) {
  return type == KeyboardType::kNumberPad || type == KeyboardType::kDecimalPad ||
         type == KeyboardType::kPhonePad;
}

void drawKey(Canvas& canvas, const Rect& key, std::string_view title, bool light, double fontSize) {
  canvas.fillRoundedRect({key.x, key.y + 1, key.width, key.height}, 5, kKeyShadow);
  canvas.fillRoundedRect(key, 5, light ? Color::white() : kDarkKey);
  const TextStyle style{Font::systemFont(fontSize), 1, key.width, 1, TextAlignment::kCenter, false};
  canvas.drawText(title, nullptr, style, key, Color::black());
}

// Digits in four rows of three, "." in the corner of a decimal pad, delete at the end. Never
// mirrored: a number pad reads the same in every language.
void drawNumberPad(Canvas& canvas, KeyboardType type, const Rect& keys) {
  const std::string_view corner = type == KeyboardType::kDecimalPad ? "." : "";
  const std::string_view titles[4][3] = {
      {"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {corner, "0", "\u232B"}};
  const double width = (keys.width - 4 * kGap) / 3;
  const double height = (keys.height - 4 * kGap) / 4;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 3; ++column) {
      const std::string_view title = titles[row][column];
      if (title.empty()) continue;
      drawKey(
          canvas,
          {keys.x + kGap + column * (width + kGap), keys.y + row * (height + kGap), width, height},
          title, row < 3 || column == 1, 24);
    }
  }
}

void drawLetters(Canvas& canvas, const Rect& keys) {
  const std::string_view rows[3] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  const double width = (keys.width - 11 * kGap) / 10;
  const double height = (keys.height - 4 * kGap) / 4;
  for (int row = 0; row < 3; ++row) {
    const auto count = static_cast<double>(rows[row].size());
    const double left = keys.x + (keys.width - count * width - (count - 1) * kGap) / 2;
    const double y = keys.y + row * (height + kGap);
    for (std::size_t i = 0; i < rows[row].size(); ++i) {
      drawKey(canvas, {left + static_cast<double>(i) * (width + kGap), y, width, height},
              rows[row].substr(i, 1), true, 20);
    }
  }
  const double side = width * 1.4;
  const double third = keys.y + 2 * (height + kGap);
  drawKey(canvas, {keys.x + kGap, third, side, height}, "\u21E7", false, 18);
  drawKey(canvas, {keys.x + keys.width - kGap - side, third, side, height}, "\u232B", false, 18);
  const double bottom = keys.y + 3 * (height + kGap);
  const double wide = 2.5 * width;
  drawKey(canvas, {keys.x + kGap, bottom, wide, height}, "123", false, 16);
  drawKey(canvas, {keys.x + keys.width - kGap - wide, bottom, wide, height}, "return", false, 16);
  drawKey(canvas, {keys.x + 2 * kGap + wide, bottom, keys.width - 4 * kGap - 2 * wide, height},
          "space", true, 16);
}

}  // namespace

KeyboardView::KeyboardView(KeyboardType type, double width)
    : View(Rect{0, 0, width, kKeyboardHeight}), type_(type) {
  backgroundColor = kGround;
}

void KeyboardView::draw(Canvas& canvas, const Rect& bounds, LayoutDirection) const {
  const Rect keys{bounds.x, bounds.y + 6, bounds.width, bounds.height - 6 - kBottomInset};
  if (isNumeric(type_)) {
    drawNumberPad(canvas, type_, keys);
  } else {
    drawLetters(canvas, keys);
  }
}

}  // namespace zelto::platform
