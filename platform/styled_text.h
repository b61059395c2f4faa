// StyledText: text in runs, each with its own font, colour and underline, for a renderer to draw
// in order on one line. A plain value type.
#ifndef ZELTO_PLATFORM_STYLED_TEXT_H_
#define ZELTO_PLATFORM_STYLED_TEXT_H_

#include <zelto/base/color.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/font.h"

namespace zelto::platform {

struct TextRun {
  std::string text;
  Font font;
  std::optional<Color> color;  // absent: the text colour of the view that shows it
  bool underline = false;
  friend bool operator==(const TextRun&, const TextRun&) = default;
};

struct StyledText {
  std::vector<TextRun> runs;

  // The runs' texts, joined.
  std::string string() const {
    std::string joined;
    for (const TextRun& run : runs) joined += run.text;
    return joined;
  }
  friend bool operator==(const StyledText&, const StyledText&) = default;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_STYLED_TEXT_H_
