// The C interface's display hooks: the library's window drawn into a host's pixels, and the
// host's input passed to the window.
#include <zelto/zelto.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "capi/support.h"
#include "platform/renderer.h"
#include "platform/window_input.h"
#include "sdk/zelto_session.h"

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

template <class Input>
zelto_status deliver(bool* handled, char** message, Input input) {
  return run(message, [&] {
    requireMainThread();
    bool& out = valueOutput(handled, "handled");
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
  return run(message, [&] {
    requireMainThread();
    if (pixels == nullptr) throw Failure{ZELTO_ERROR_NULL_ARGUMENT, "pixels is NULL"};
    bool& outShown = valueOutput(shown, "shown");
    if (width < 1 || height < 1 || stride % 4 != 0 || stride / 4 < width) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                    "width and height must be at least 1 and stride a multiple of 4 of at least "
                    "4 * width"};
    }
    if (!(scale > 0) || !std::isfinite(scale)) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "scale must be finite and above 0"};
    }
    platform::Window* window = shownWindow();
    outShown = window != nullptr;
    if (window != nullptr &&
        platform::drawWindow(*window, scale, {pixels, width, height, stride})) {
      argbToRgba(pixels, width, height, stride);
    } else {
      fillWhite(pixels, width, height, stride);
    }
    return Outcome{};
  });
}

zelto_status zelto_display_tap(double x, double y, bool* handled, char** message) {
  return deliver(handled, message, [&](platform::Window& window) {
    return platform::tapAt(window, {x, y});
  });
}

zelto_status zelto_display_type_text(const char* text, bool* handled, char** message) {
  return run(message, [&] {
    requireMainThread();
    const std::string_view typed = readText(text, "text");
    bool& out = valueOutput(handled, "handled");
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
