// How a label paints itself: its text, shrunk to fit when it may.
#include "platform/canvas.h"
#include "platform/painting/defaults.h"

namespace zelto::platform {
namespace {

const StyledText* styledText(const Label& label) {
  return label.attributedText ? &*label.attributedText : nullptr;
}

// How the label's text is set in `bounds`: shrunk, when the label allows it, until one line
// fits.
TextStyle labelStyle(const Label& label, const Rect& bounds, LayoutDirection direction) {
  TextStyle style{label.font,          1,    bounds.width, label.numberOfLines,
                  label.textAlignment, true, direction};
  if (label.adjustsFontSizeToFitWidth && label.numberOfLines == 1 && bounds.width > 0) {
    style.sizeFactor =
        shrunkToFit(label.text, styledText(label), style, bounds.width, label.minimumScaleFactor);
  }
  return style;
}

}  // namespace

void Label::draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const {
  const StyledText* styled = styledText(*this);
  if (!styled && text.empty()) return;
  canvas.drawText(text, styled, labelStyle(*this, bounds, direction), bounds,
                  textColor.value_or(painting::kDefaultText));
}

bool Label::drawsTextWhole(const Rect& bounds, LayoutDirection direction) const {
  const StyledText* styled = styledText(*this);
  if (!styled && text.empty()) return true;
  return fitsWhole(text, styled, labelStyle(*this, bounds, direction), bounds.size());
}

}  // namespace zelto::platform
