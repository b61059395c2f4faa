// The renderer: draws views into PNG images with cairo and pango. It is how a screen is shown
// headlessly (the host tool's snapshots) and how the share image is made.
//
// What is drawn, for each view not hidden and with alpha above 0, back to front: the background
// colour (rounded by cornerRadius), the view's own content (a label's text, a button's title and
// image in its current state, a switch, a text field's text or placeholder and its caret while
// it is first responder, an image view's image, an activity indicator's spokes, a navigation
// bar's title), its subviews (shifted by a scroll view's offset, cut to the bounds of a view that
// clips and of every scroll view), then its border. Alpha applies to the view and its subviews
// together. Views are drawn where and as they are at this moment (View::presentationFrame and
// alpha.presentationValue(), so slides and fades in progress are drawn part way).
//
// Text is set in Inter; characters Inter lacks (Devanagari, Thai, Arabic, CJK, ...) fall back
// through fontconfig to the Noto UI and Droid fallback fonts. Text keeps its shape at every scale:
// glyph metrics are not hinted.
//
// Images are PNG bytes; a pixel-art image (Image::isPixelArt) is scaled with nearest-neighbour
// filtering, every other image with a smoothing filter. An image of the library's bundle is drawn
// from the bundle's representation that best fits the scale.
//
// Thread-safety: main thread only (views are main-thread objects).
#ifndef ZELTO_PLATFORM_RENDERER_H_
#define ZELTO_PLATFORM_RENDERER_H_

#include <zelto/base/geometry.h>
#include <zelto/base/image.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/font.h"
#include "platform/view.h"

namespace zelto::platform {

class Window;

// Pixels per point of the images the renderer makes unless told otherwise.
inline constexpr double kDefaultRenderScale = 2;

// `view` and its subviews, as an image of the view's size in points with `scale` pixels per
// point (its position in its superview, and its own hidden flag and alpha, are ignored: this is
// the view as it looks when shown). Parts without a background stay transparent.
Image renderView(const View& view, double scale = kDefaultRenderScale);

// Everything `window` shows on a white ground: its root screen with the navigation bar, screens
// presented over it and dialogs over those, in order; while a text input is first responder, the
// keyboard a phone shows for it over the bottom kKeyboardHeight points (a number pad for numeric
// fields, letters otherwise). The keyboard is drawn for the look of the screen only: keys reach
// fields through the driver or a front end.
Image renderWindow(const Window& window, double scale = kDefaultRenderScale);

// 32-bit pixels to draw into: premultiplied ARGB in the machine's byte order (cairo's ARGB32,
// SDL's ARGB8888), `stride` bytes from the start of one row to the next (a multiple of 4).
struct PixelBuffer {
  std::uint8_t* data = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

// Draws what renderWindow() shows into `target`, the window's top-left corner at the buffer's,
// `scale` pixels per point; the white ground covers the whole buffer. No image is made. False,
// with nothing drawn, for a buffer without pixels or with a stride below 4 * width.
bool drawWindow(const Window& window, double scale, const PixelBuffer& target);

// Draws `view` as renderView() shows it over what `target` already holds, the view's top-left
// corner at the buffer's, `scale` pixels per point. No image is made: a display draws each of
// its frames this way. Nothing is drawn into a buffer without pixels.
void drawView(const View& view, double scale, const PixelBuffer& target);

// Writes the image's bytes to `path`. Returns an error message naming the path when the file
// cannot be written.
std::optional<std::string> writeImage(const Image& image, const std::string& path);

// An image from 8-bit grey pixels, row by row (width * height bytes), one pixel a point. Absent
// when the sizes do not match the pixels or are 0.
std::optional<Image> grayImage(std::string name, int width, int height,
                               std::span<const std::uint8_t> pixels, bool pixelArt);

// Whether the text `view` shows is drawn whole inside it, as the renderer draws it: a label's
// text (shrunk as far as the label allows) or a navigation bar's title not cut short with an
// ellipsis and no wider or taller than its room, a button's title beside its image, a text
// field's placeholder. Typed text longer than its field scrolls and is not checked. True for
// views without text.
bool drawsTextWhole(const View& view);

// The size of `text` set in `font`, wrapped at `maxWidth` points onto at most `numberOfLines`
// lines (0: as many as needed; 1: no wrapping, the width may then exceed maxWidth). The height
// leaves room for marks that reach above or below the line, so the text centred in a view of
// that height shows whole.
Size measureText(std::string_view text, const Font& font, double maxWidth, int numberOfLines = 0);

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_RENDERER_H_
