#include "tools/terminal_qr.h"

namespace zelto::tool {

std::string halfBlockSymbol(int side, const std::function<bool(int x, int y)>& dark, bool color) {
  std::string text;
  for (int y = 0; y < side; y += 2) {
    if (color) text += "\x1b[30;107m";
    for (int x = 0; x < side; ++x) {
      const bool top = dark(x, y);
      const bool bottom = y + 1 < side && dark(x, y + 1);
      text += top && bottom ? "\u2588" : top ? "\u2580" : bottom ? "\u2584" : " ";
    }
    if (color) text += "\x1b[0m";
    text += '\n';
  }
  return text;
}

}  // namespace zelto::tool
