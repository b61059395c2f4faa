// The desktop front end: an SDL2 window that shows the platform layer's windows and turns the
// mouse, the keyboard and the clock into what a phone's touch screen and run loop give them.
// It is a library of its own (zelto::sdl): hosts that never show a window never link SDL2, and
// a program that links it loads SDL2 only when it opens a display (platform/sdl/sdl_library.h).
//
// - Drawing: the windows given to show(), bottom first, on a white ground; a hidden window is
//   not drawn. Frames are drawn by the renderer (platform/renderer.h) at the display's pixels
//   per point: the drawable size over the window size, so a HiDPI screen gets sharp text.
// - A click or a touch is a tap. It goes to the topmost shown window under the pointer and, in
//   it, to the view View::hitTest finds there (hidden, transparent and non-interactive views are
//   passed over; later views cover earlier ones, so dialogs and presented screens cover what is
//   below); the nearest control or text input at or above that view receives the touch through
//   Window::sendEvent when the button is released over it. A control is highlighted while the
//   button is held on it. A disabled control takes the touch and nothing happens.
// - Typing goes to the first responder of the key window, one user-perceived character at a
//   time through the field's change filter (refused keys change nothing). Backspace is the
//   delete key, Tab and Shift+Tab move to the next and previous text input of the front screen,
//   Return resigns the first responder. Escape is the back button: it taps the leftmost control
//   of the front navigation bar (of the front screen's header, its top 64 points, when the bar
//   is hidden), or the cancel action of a dialog in front (platform/window_input.h).
// - The wheel and dragging (a press that moves more than kDragSlop points) scroll the scroll
//   view under the pointer, within its content and insets.
// - Every input reaches the window it went to through Window::sendEvent (keys as press events,
//   the wheel and drags as motion events), so a window that counts its events as activity sees
//   all of them.
// - Time: the main run loop moves to the system clock. A frame is drawn when input arrived or
//   the run loop ran a task or a timer, and at the display's refresh rate while an animation
//   runs (platform::animationsEndTime); otherwise the display sleeps in SDL_WaitEventTimeout
//   until input arrives or the next timer is due, using no processor time.
// - The caret of the text field that has the keyboard blinks: a timer on the run loop turns it
//   off and on every caretBlinkInterval seconds while the field has the keyboard (each turn
//   draws a frame; nothing is polled), and a key shows it again and starts the blink over.
//
// Errors are values: open() says why SDL could not be loaded or could not open the window.
// SDL_VIDEODRIVER=offscreen runs everything without a screen.
//
// Thread-safety: main thread only; one display at a time (SDL has one event queue).
#ifndef ZELTO_PLATFORM_SDL_DISPLAY_H_
#define ZELTO_PLATFORM_SDL_DISPLAY_H_

#include <zelto/base/geometry.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace zelto::platform::sdl {

// How far, in points, a press moves before it scrolls instead of tapping.
inline constexpr double kDragSlop = 8;
// How far one notch of the mouse wheel scrolls, in points.
inline constexpr double kWheelStep = 40;

struct DisplayOptions {
  // The phone screen, in points; it becomes the main screen's size (setMainScreenSize).
  Size size{375, 667};
  std::string title = "Zelto";
  // Seconds the caret of the field that has the keyboard stays on, then off; 0 or less keeps
  // it on.
  double caretBlinkInterval = 0.5;
};

// The pixels of a frame: 32-bit ARGB, row by row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;

  std::uint32_t at(int x, int y) const {
    return argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)];
  }
};

struct OpenResult;

class Display {
 public:
  // Opens the window `options` describes. Fails (with SDL's reason) when there is no video
  // device or the window cannot be made; another display must be closed first.
  static OpenResult open(const DisplayOptions& options);
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Shows `window` above the windows shown before it, sized to the screen. Held weakly: a
  // destroyed window is no longer drawn.
  void show(const std::shared_ptr<Window>& window);

  // One turn: waits for input, a due timer or the next animation frame (at most `maxWait`
  // seconds), handles every waiting event, runs what is due on the main run loop and draws a
  // frame if anything changed. Returns false once the user has closed the window.
  bool turn(double maxWait = std::numeric_limits<double>::infinity());
  // Turns until the window is closed or `done` (checked after every turn) returns true.
  void run(const std::function<bool()>& done = nullptr);
  // Draws a frame at the next turn: for views changed outside the run loop's tasks and timers.
  void setNeedsDisplay();

  Size size() const;
  // Pixels per point.
  double scale() const;
  // The window's pixels as last drawn, read back from SDL's renderer.
  Pixels readPixels();
  // Frames drawn and shown so far.
  std::uint64_t framesPresented() const;
  void setTitle(std::string_view title);

 private:
  struct State;
  explicit Display(std::unique_ptr<State> state);

  std::unique_ptr<State> state_;
};

struct OpenResult {
  std::unique_ptr<Display> display;
  std::string error;  // why the window could not be opened, when display is null
};

}  // namespace zelto::platform::sdl

#endif  // ZELTO_PLATFORM_SDL_DISPLAY_H_
