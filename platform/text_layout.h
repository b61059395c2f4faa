// Text layout: how a run of text is measured, where a caret stands in it, and (for the canvas)
// how it is set. Text is set in Inter; characters Inter lacks (Devanagari, Thai, Arabic, CJK,
// ...) fall back through fontconfig to the Noto UI and Droid fallback fonts. Metrics are not
// hinted, so text takes the same room at every scale. A paragraph's base direction is given,
// never guessed from its text: a Latin name in an Arabic screen stays a right-to-left paragraph,
// ordered by the bidirectional algorithm.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_TEXT_LAYOUT_H_
#define ZELTO_PLATFORM_TEXT_LAYOUT_H_

#include <zelto/base/geometry.h>

#include <string_view>

#include "platform/font.h"
#include "platform/styled_text.h"
#include "platform/view.h"

using cairo_t = struct _cairo;

namespace zelto::platform {

struct TextStyle {
  Font font;
  double sizeFactor = 1;
  double width = -1;  // points; negative: unlimited
  int lines = 1;      // 0: as many as needed
  TextAlignment alignment = TextAlignment::kLeading;
  bool ellipsize = true;
  // The paragraph's base direction, which also says where leading is.
  LayoutDirection direction = LayoutDirection::kLeftToRight;
};

// Where an alignment puts text within its paragraph's width, seen on the page.
enum class TextPlacement { kLeft, kCenter, kRight };
TextPlacement placement(TextAlignment alignment, LayoutDirection direction);

// The logical size of the text (or of the runs of `styled` when given) set in `style`.
Size textSize(std::string_view text, const StyledText* styled, const TextStyle& style);

// The size factor, down to `minimum`, at which `text` set on one line in `style` is no wider
// than `width`. Text does not narrow exactly in proportion to its size (kerning, rounding): it
// shrinks a little further until it fits.
double shrunkToFit(std::string_view text, const StyledText* styled, TextStyle style, double width,
                   double minimum);

// Whether `text` set in `style` shows whole in `area`: not cut short, no wider than the area,
// and its ink, centred vertically as Canvas::drawText sets it, inside the area's height
// (scripts with tall line boxes, Thai and Devanagari, may use the room above and below their
// letters).
bool fitsWhole(std::string_view text, const StyledText* styled, const TextStyle& style, Size area);

// textSize() with room above and below for marks that reach beyond the line (Arabic hamza, Thai
// tone marks set in a fallback font), on both sides, since text is centred vertically in its
// view: text centred in a view of that height shows whole.
Size textSizeWithMarks(std::string_view text, const TextStyle& style);

// Where a caret after the last character of `text` stands, from the text's left edge: beside
// the last character, on its right when it runs left to right, on its left when it runs right
// to left (a digit typed after Arabic text, or Arabic after digits, goes where the reader
// expects).
double caretOffset(std::string_view text, const TextStyle& style);

// Sets `context` up for text: metrics unhinted, grey antialiasing.
void prepareForText(cairo_t* context);

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_TEXT_LAYOUT_H_
