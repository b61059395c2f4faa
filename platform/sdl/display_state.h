// What a display keeps between turns: the SDL window, renderer and texture, the frame's pixels,
// the windows shown, the press in progress and the caret's blink. Shared by display.cc (opening,
// turns, drawing) and display_input.cc (pointer, wheel, keys, focus, caret).
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_SDL_DISPLAY_STATE_H_
#define ZELTO_PLATFORM_SDL_DISPLAY_STATE_H_

#include <SDL.h>
#include <zelto/platform/run_loop.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/sdl/display.h"
#include "platform/sdl/sdl_library.h"
#include "platform/view.h"
#include "platform/window.h"

namespace zelto::platform::sdl {

inline constexpr double kDefaultRefreshRate = 60;

struct TextureDeleter {
  void operator()(SDL_Texture* texture) const { sdl().DestroyTexture(texture); }
};
struct RendererDeleter {
  void operator()(SDL_Renderer* renderer) const { sdl().DestroyRenderer(renderer); }
};
struct WindowDeleter {
  void operator()(SDL_Window* window) const { sdl().DestroyWindow(window); }
};

// A press of the left button (or a finger) until it is released.
struct Press {
  std::weak_ptr<Window> window;
  std::weak_ptr<View> hit;
  std::weak_ptr<View> receiver;
  Point start;
  Point last;
  bool dragging = false;
};

struct Display::State {
  ~State();

  bool createTexture();
  void handle(const SDL_Event& event);
  Point toPoints(int x, int y) const;
  std::shared_ptr<Window> windowAt(Point point) const;
  std::shared_ptr<Window> keyboardWindow() const;
  void pressDown(Point point);
  void pressMoved(Point point);
  void pressUp(Point point);
  void setHighlighted(bool highlighted);
  void wheel(Point point, double dx, double dy);
  void textTyped(std::string_view typed);
  void keyDown(const SDL_Keysym& key);
  void moveFocus(Window& window, bool forward);
  bool animating(double now) const;
  void draw(double now);
  // Follows the field that has the keyboard: its caret blinks, another's stays on.
  void updateCaret();
  void blinkCaret();
  // Shows the caret and starts its blink over, as a key does.
  void restartCaret();
  void stopCaret();

  Size size;
  std::unique_ptr<SDL_Window, WindowDeleter> window;
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer;
  std::unique_ptr<SDL_Texture, TextureDeleter> texture;
  int pixelWidth = 0;
  int pixelHeight = 0;
  double scale = 1;
  double frameInterval = 1 / kDefaultRefreshRate;
  std::vector<std::uint32_t> frame;
  std::vector<std::weak_ptr<Window>> windows;
  std::optional<Press> press;
  bool dirty = true;
  bool closed = false;
  double caretBlinkInterval = 0.5;
  std::weak_ptr<TextField> caretField;
  std::shared_ptr<Timer> caretTimer;
  double lastDrawn = -std::numeric_limits<double>::infinity();
  std::uint64_t frames = 0;
};

}  // namespace zelto::platform::sdl

#endif  // ZELTO_PLATFORM_SDL_DISPLAY_STATE_H_
