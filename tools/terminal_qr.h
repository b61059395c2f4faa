// A QR symbol printed in a terminal with half blocks: each character cell shows two modules, one
// above the other (U+2580 upper half, U+2584 lower half, U+2588 full block, or a space), so in the
// usual character cell of twice its width a module comes out about square and a symbol of 41
// modules with its quiet zone fits 49 columns and 25 lines.
//
// With `color`, every line is set black on bright white (ANSI SGR 30 and 107, reset at the end
// of the line) so the code scans from a terminal with a dark background too; without, the blocks
// take the terminal's own text colour, for output that goes to a file or a light page.
//
// Thread-safety: a pure function.
#ifndef ZELTO_TOOLS_TERMINAL_QR_H_
#define ZELTO_TOOLS_TERMINAL_QR_H_

#include <functional>
#include <string>

namespace zelto::tool {

// The lines (each ending in "\n") showing a symbol of side × side modules, quiet zone included,
// where dark(x, y) tells whether the module in column x of row y is dark.
std::string halfBlockSymbol(int side, const std::function<bool(int x, int y)>& dark, bool color);

}  // namespace zelto::tool

#endif  // ZELTO_TOOLS_TERMINAL_QR_H_
