// How text inputs paint themselves: a field's border, its text or placeholder on one line (the
// end of a long text shows while editing, its start otherwise) and its caret; a text view's
// wrapped text.
#include <algorithm>
#include <utility>

#include "platform/canvas.h"
#include "platform/painting/defaults.h"

namespace zelto::platform {
namespace {

constexpr Color kPlaceholder{60 / 255.0, 60 / 255.0, 67 / 255.0, 0.3};
constexpr Color kBorder{199 / 255.0, 199 / 255.0, 204 / 255.0, 1};  // #C7C7CC
constexpr double kBorderInset = 7;
constexpr double kCaretWidth = 2;

// How far the text keeps from the field's sides for a border of `style`.
double borderInset(TextBorderStyle style) {
  return style == TextBorderStyle::kNone ? 0 : kBorderInset;
}

void drawBorder(Canvas& canvas, TextBorderStyle style, const Rect& bounds) {
  switch (style) {
    case TextBorderStyle::kRoundedRect: {
      const Rect inner{bounds.x + 0.25, bounds.y + 0.25, bounds.width - 0.5, bounds.height - 0.5};
      canvas.fillRoundedRect(inner, 5, Color::white());
      canvas.strokeRoundedRect(inner, 5, kBorder, 0.5);
      break;
    }
    case TextBorderStyle::kLine:
      canvas.strokeRoundedRect(
          {bounds.x + 0.5, bounds.y + 0.5, bounds.width - 1, bounds.height - 1}, 0,
          painting::kDefaultText, 1);
      break;
    case TextBorderStyle::kNone:
      break;
  }
}

}  // namespace

void TextField::draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const {
  drawBorder(canvas, borderStyle, bounds);
  const double inset = borderInset(borderStyle);
  EdgeInsets extra = textInsets;
  if (direction == LayoutDirection::kRightToLeft) std::swap(extra.left, extra.right);
  const Rect area{bounds.x + inset + extra.left, bounds.y + extra.top,
                  std::max(0.0, bounds.width - 2 * inset - extra.left - extra.right),
                  std::max(0.0, bounds.height - extra.top - extra.bottom)};
  canvas.save();
  canvas.clipRoundedRect(area, 0);
  const bool showPlaceholder = text.empty();
  const std::string& shown = showPlaceholder ? placeholder : text;
  const TextStyle style{font, 1, -1, 1, TextAlignment::kLeading, false, direction};
  const double width = textSize(shown, nullptr, style).width;
  const TextPlacement where = placement(textAlignment, direction);
  const bool editing = isFirstResponder() && !showPlaceholder;
  const double caretAt = editing ? caretOffset(text, style) : 0;
  double x = area.x;
  if (width > area.width) {
    if (editing) x = area.maxX() - width;
  } else if (where == TextPlacement::kCenter) {
    x = area.x + (area.width - width) / 2;
  } else if (where == TextPlacement::kRight) {
    x = area.maxX() - width;
    // A caret after right-aligned text keeps its own room rather than covering the last letter.
    if (editing && caretAt >= width - 0.5) x = std::max(area.x, x - kCaretWidth - 1);
  }
  const Color color = showPlaceholder ? placeholderColor.value_or(kPlaceholder)
                                      : textColor.value_or(painting::kDefaultText);
  canvas.drawText(shown, nullptr, style, {x, area.y, width, area.height}, color);
  if (isFirstResponder() && caretShown) {
    // After the text; over an empty field, where the first character will go.
    double caretX = x + caretAt;
    if (showPlaceholder) {
      caretX = where == TextPlacement::kCenter  ? area.x + area.width / 2 - 1
               : where == TextPlacement::kRight ? area.maxX()
                                                : area.x;
    }
    const double caretHeight = font.size * 1.25;
    canvas.fillRect({std::clamp(caretX, area.x, std::max(area.x, area.maxX() - kCaretWidth)),
                     area.y + (area.height - caretHeight) / 2, kCaretWidth, caretHeight},
                    tintColor.value_or(painting::kDefaultTint));
  }
  canvas.restore();
}

bool TextField::drawsTextWhole(const Rect& bounds, LayoutDirection direction) const {
  if (placeholder.empty()) return true;
  const double inset = borderInset(borderStyle);
  const Size area{bounds.width - 2 * inset - textInsets.left - textInsets.right,
                  bounds.height - textInsets.top - textInsets.bottom};
  const TextStyle style{font, 1, -1, 1, TextAlignment::kLeading, false, direction};
  return fitsWhole(placeholder, nullptr, style, area);
}

void TextView::draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const {
  if (text.empty()) return;
  const Rect area{bounds.x + 5, bounds.y + 8, std::max(0.0, bounds.width - 10), 0};
  const TextStyle style{font, 1, area.width, 0, TextAlignment::kLeading, false, direction};
  const Size size = textSize(text, nullptr, style);
  canvas.drawText(text, nullptr, style, {area.x, area.y, area.width, size.height},
                  textColor.value_or(painting::kDefaultText));
}

}  // namespace zelto::platform
