// The C interface's display hooks: the library's window drawn into a host's pixels, and the
// host's input passed to the window.
#include <zelto/zelto.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "capi/support.h"
#include "platform/renderer.h"
#include "platform/window_input.h"
#include "sdk/session.h"

namespace zelto::capi {
namespace {

// The library's window while a flow is on screen, else null.
platform::Window* shownWindow() {
  const auto& window = ZeltoSession::sharedSession().sdkWindow;
  return window && !window->hidden && window->rootViewController() ? window.get() : nullptr;
}

void fillWhite(unsigned char* pixels, int width, int height, int stride) {
  for (int y = 0; y < height; ++y) {
    std::memset(pixels + static_cast<std::ptrdiff_t>(y) * stride, 0xFF,
                static_cast<std::size_t>(width) * 4);
  }
}

// Turns the renderer's pixels (premultiplied ARGB in the machine's byte order) into RGBA bytes.
// Every pixel is opaque, drawn over white, so premultiplied and plain values are the same.
void argbToRgba(unsigned char* pixels, int width, int height, int stride) {
  for (int y = 0; y < height; ++y) {
    unsigned char* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      std::uint32_t argb;
      std::memcpy(&argb, row + 4 * x, 4);
      row[4 * x] = static_cast<unsigned char>(argb >> 16);
      row[4 * x + 1] = static_cast<unsigned char>(argb >> 8);
      row[4 * x + 2] = static_cast<unsigned char>(argb);
      row[4 * x + 3] = 0xFF;
    }
  }
}

// The drawing surfaces stop at 32767 pixels a side. Past about 50 pixels a point the largest
// texts of the screens reach sizes FreeType refuses (and cairo leaks the failed font), so scales
// stop at 32, eight times the densest phone screen.
constexpr int kMaxDrawPixels = 32767;
constexpr double kMinDrawScale = 0.01;
constexpr double kMaxDrawScale = 32;

void checkDrawArguments(int width, int height, int stride, double scale) {
  if (width < 1 || height < 1 || width > kMaxDrawPixels || height > kMaxDrawPixels) {
    throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                  "width and height must be from 1 to 32767 pixels (got " + std::to_string(width) +
                      " by " + std::to_string(height) + ")"};
  }
  if (stride % 4 != 0 || stride / 4 < width) {
    throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                  "stride must be a multiple of 4 of at least 4 * width"};
  }
  if (!(scale >= kMinDrawScale && scale <= kMaxDrawScale)) {
    throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "scale must be from 0.01 to 32 pixels a point"};
  }
}

template <class Input>
zelto_status deliver(bool* handled, char** message, Input input) {
  return run(message, output(handled, "handled"), [&](bool& out) {
    requireMainThread();
    platform::Window* window = shownWindow();
    out = window != nullptr && input(*window);
    return Outcome{};
  });
}

}  // namespace
}  // namespace zelto::capi

using namespace zelto;
using namespace zelto::capi;

extern "C" {

zelto_status zelto_display_set_screen_size(double width, double height, char** message) {
  return run(message, [&] {
    requireMainThread();
    if (!(width >= 1 && height >= 1 && std::isfinite(width) && std::isfinite(height))) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                    "width and height must be finite and at least 1 point"};
    }
    platform::setMainScreenSize({width, height});
    return Outcome{};
  });
}

zelto_status zelto_display_draw(unsigned char* pixels, int width, int height, int stride,
                                double scale, bool* shown, char** message) {
  return zelto_display_draw_in_format(pixels, width, height, stride, scale, ZELTO_PIXELS_RGBA,
                                      shown, message);
}

zelto_status zelto_display_draw_in_format(unsigned char* pixels, int width, int height, int stride,
                                          double scale, zelto_pixel_format format, bool* shown,
                                          char** message) {
  return run(message, output(pixels, "pixels"), output(shown, "shown"),
             [&](unsigned char&, bool& outShown) {
               requireMainThread();
               checkDrawArguments(width, height, stride, scale);
               const auto formatValue = enumValue(format);
               if (formatValue != ZELTO_PIXELS_RGBA && formatValue != ZELTO_PIXELS_ARGB32) {
                 throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                               "format is neither ZELTO_PIXELS_RGBA nor ZELTO_PIXELS_ARGB32"};
               }
               platform::Window* window = shownWindow();
               outShown = window != nullptr;
               if (window != nullptr &&
                   platform::drawWindow(*window, scale, {pixels, width, height, stride})) {
                 if (formatValue == ZELTO_PIXELS_RGBA) argbToRgba(pixels, width, height, stride);
               } else {
                 fillWhite(pixels, width, height, stride);
               }
               return Outcome{};
             });
}

zelto_status zelto_display_scroll(double x, double y, double dx, double dy, bool* handled,
                                  char** message) {
  return run(message, output(handled, "handled"), [&](bool& out) {
    requireMainThread();
    if (!std::isfinite(dx) || !std::isfinite(dy)) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "dx and dy must be finite"};
    }
    platform::Window* window = shownWindow();
    out = window != nullptr && platform::scrollAt(*window, {x, y}, dx, dy);
    return Outcome{};
  });
}

zelto_status zelto_display_tap(double x, double y, bool* handled, char** message) {
  return deliver(handled, message, [&](platform::Window& window) {
    return platform::tapAt(window, {x, y});
  });
}

zelto_status zelto_display_type_text(const char* text, bool* handled, char** message) {
  return run(message, output(handled, "handled"), [&](bool& out) {
    requireMainThread();
    const std::string_view typed = readText(text, "text");
    platform::Window* window = shownWindow();
    out = window != nullptr && platform::typeText(*window, typed);
    return Outcome{};
  });
}

zelto_status zelto_display_delete_backward(bool* handled, char** message) {
  return deliver(handled, message,
                 [](platform::Window& window) { return platform::deleteBackward(window); });
}

zelto_status zelto_display_back(bool* handled, char** message) {
  return deliver(handled, message,
                 [](platform::Window& window) { return platform::goBack(window); });
}

}  // extern "C"
