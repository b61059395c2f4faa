#include "platform/sdl/display.h"

#include <SDL.h>
#include <zelto/platform/run_loop.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/animation.h"
#include "platform/controls.h"
#include "platform/renderer.h"
#include "platform/window_input.h"

namespace zelto::platform::sdl {
namespace {

constexpr double kDefaultRefreshRate = 60;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

bool isTextInput(const View& view) { return view.canBecomeFirstResponder(); }

// The view that receives a touch landing on `hit`: the nearest control or text input at or
// above it, else `hit` itself (a touch on the background does nothing).
std::shared_ptr<View> touchReceiver(const std::shared_ptr<View>& hit) {
  for (auto view = hit; view; view = view->superview()) {
    if (dynamic_cast<Control*>(view.get()) || isTextInput(*view)) return view;
  }
  return hit;
}

bool contains(const Rect& rect, Point point) {
  return point.x >= rect.x && point.y >= rect.y && point.x < rect.maxX() && point.y < rect.maxY();
}

// The view of `window` that has the keyboard, if any.
std::shared_ptr<View> firstResponder(const std::shared_ptr<View>& view) {
  if (view->isFirstResponder()) return view;
  for (const auto& child : view->subviews()) {
    if (auto found = firstResponder(child)) return found;
  }
  return nullptr;
}

void collectTextInputs(const std::shared_ptr<View>& view,
                       std::vector<std::shared_ptr<View>>& inputs) {
  if (view->hidden || view->alpha <= 0) return;
  if (isTextInput(*view) && view->isInteractive()) inputs.push_back(view);
  for (const auto& child : view->subviews()) collectTextInputs(child, inputs);
}

// The front screen of `window`: the view drawn last, which covers the others.
std::shared_ptr<View> frontScreen(Window& window) {
  const auto& screens = window.subviews();
  return screens.empty() ? nullptr : screens.back();
}

// Scrolls the scroll views above `view` as little as needed for it to show.
void scrollToVisible(const std::shared_ptr<View>& view) {
  for (auto at = view->superview(); at; at = at->superview()) {
    if (auto scroll = std::dynamic_pointer_cast<ScrollView>(at)) {
      Rect rect = view->convertRect(view->bounds(), *scroll);
      rect.x += scroll->contentOffset.x;
      rect.y += scroll->contentOffset.y;
      scroll->scrollRectToVisible(rect, false);
    }
  }
}

struct TextureDeleter {
  void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
struct RendererDeleter {
  void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
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

bool displayOpen = false;

}  // namespace

struct Display::State {
  ~State() {
    stopCaret();
    texture.reset();
    renderer.reset();
    window.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    displayOpen = false;
  }

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

bool Display::State::createTexture() {
  int windowWidth = 0;
  int windowHeight = 0;
  SDL_GetWindowSize(window.get(), &windowWidth, &windowHeight);
  if (SDL_GetRendererOutputSize(renderer.get(), &pixelWidth, &pixelHeight) != 0 ||
      pixelWidth <= 0 || pixelHeight <= 0 || windowWidth <= 0) {
    return false;
  }
  scale = static_cast<double>(pixelWidth) / windowWidth;
  texture.reset(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                  SDL_TEXTUREACCESS_STREAMING, pixelWidth, pixelHeight));
  frame.assign(static_cast<std::size_t>(pixelWidth) * static_cast<std::size_t>(pixelHeight),
               kWhite);
  dirty = true;
  return texture != nullptr;
}

Point Display::State::toPoints(int x, int y) const {
  int windowWidth = 0;
  int windowHeight = 0;
  SDL_GetWindowSize(window.get(), &windowWidth, &windowHeight);
  if (windowWidth <= 0 || windowHeight <= 0)
    return {static_cast<double>(x), static_cast<double>(y)};
  return {x * size.width / windowWidth, y * size.height / windowHeight};
}

std::shared_ptr<Window> Display::State::windowAt(Point point) const {
  for (auto shown = windows.rbegin(); shown != windows.rend(); ++shown) {
    auto candidate = shown->lock();
    if (candidate && candidate->hitTest(point)) return candidate;
  }
  return nullptr;
}

std::shared_ptr<Window> Display::State::keyboardWindow() const {
  const auto key = Application::shared().keyWindow();
  for (const auto& shown : windows) {
    if (auto candidate = shown.lock(); candidate && candidate == key && !candidate->hidden) {
      return candidate;
    }
  }
  for (auto shown = windows.rbegin(); shown != windows.rend(); ++shown) {
    if (auto candidate = shown->lock(); candidate && !candidate->hidden) return candidate;
  }
  return nullptr;
}

void Display::State::setHighlighted(bool highlighted) {
  if (!press) return;
  if (auto control = std::dynamic_pointer_cast<Control>(press->receiver.lock())) {
    control->highlighted = highlighted && control->isInteractive();
  }
}

void Display::State::pressDown(Point point) {
  press.reset();
  auto target = windowAt(point);
  if (!target) return;
  const auto hit = target->hitTest(point);
  press = Press{target, hit, touchReceiver(hit), point, point, false};
  setHighlighted(true);
}

void Display::State::pressMoved(Point point) {
  if (!press) return;
  const double dx = point.x - press->last.x;
  const double dy = point.y - press->last.y;
  press->last = point;
  if (!press->dragging &&
      std::hypot(point.x - press->start.x, point.y - press->start.y) > kDragSlop) {
    press->dragging = true;
    setHighlighted(false);
    // The slop already travelled scrolls too, so the content stays under the pointer.
    scrollFrom(press->hit.lock(), press->start.x - point.x, press->start.y - point.y);
    return;
  }
  if (press->dragging) scrollFrom(press->hit.lock(), -dx, -dy);
}

void Display::State::pressUp(Point point) {
  if (!press) return;
  setHighlighted(false);
  const Press released = *press;
  press.reset();
  auto target = released.window.lock();
  if (!target) return;
  if (released.dragging) {
    target->sendEvent(Event{Event::Type::kMotion, {}});
    return;
  }
  auto receiver = released.receiver.lock();
  // Released outside the view it went down on: a cancelled tap, still a touch on the window.
  if (receiver && !contains(receiver->convertToWindow(receiver->bounds()), point)) {
    receiver.reset();
  }
  target->sendEvent(Event{Event::Type::kTouch, receiver});
}

void Display::State::wheel(Point point, double dx, double dy) {
  auto target = windowAt(point);
  if (!target) return;
  scrollAt(*target, point, dx * kWheelStep, -dy * kWheelStep);
}

void Display::State::textTyped(std::string_view typed) {
  if (auto target = keyboardWindow()) typeText(*target, typed);
  restartCaret();
}

void Display::State::updateCaret() {
  const auto target = keyboardWindow();
  const auto field =
      std::dynamic_pointer_cast<TextField>(target ? firstResponder(target) : nullptr);
  if (field == caretField.lock()) return;
  stopCaret();
  if (!field || !(caretBlinkInterval > 0)) return;
  caretField = field;
  restartCaret();
}

void Display::State::restartCaret() {
  const auto field = caretField.lock();
  if (!field) return;
  field->caretShown = true;
  if (caretTimer) caretTimer->invalidate();
  caretTimer = RunLoop::main().scheduleTimer(caretBlinkInterval, [this] { blinkCaret(); });
}

void Display::State::blinkCaret() {
  const auto field = caretField.lock();
  if (!field || !field->isFirstResponder()) {
    stopCaret();
    return;
  }
  field->caretShown = !field->caretShown;
  caretTimer = RunLoop::main().scheduleTimer(caretBlinkInterval, [this] { blinkCaret(); });
}

void Display::State::stopCaret() {
  if (caretTimer) caretTimer->invalidate();
  caretTimer.reset();
  if (const auto field = caretField.lock()) field->caretShown = true;
  caretField.reset();
}

void Display::State::moveFocus(Window& target, bool forward) {
  const auto screen = frontScreen(target);
  if (!screen) return;
  std::vector<std::shared_ptr<View>> inputs;
  collectTextInputs(screen, inputs);
  if (inputs.empty()) return;
  const auto current = std::find_if(inputs.begin(), inputs.end(),
                                    [](const auto& input) { return input->isFirstResponder(); });
  std::size_t next = 0;
  if (current != inputs.end()) {
    const auto index = static_cast<std::size_t>(current - inputs.begin());
    next = forward ? (index + 1) % inputs.size() : (index + inputs.size() - 1) % inputs.size();
  } else if (!forward) {
    next = inputs.size() - 1;
  }
  inputs[next]->becomeFirstResponder();
  scrollToVisible(inputs[next]);
}

void Display::State::keyDown(const SDL_Keysym& key) {
  auto target = keyboardWindow();
  if (!target) return;
  const auto responder = firstResponder(target);
  switch (key.sym) {
    case SDLK_BACKSPACE:
      deleteBackward(*target);
      restartCaret();
      return;
    case SDLK_TAB:
      moveFocus(*target, (key.mod & KMOD_SHIFT) == 0);
      break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      if (responder) responder->resignFirstResponder();
      break;
    case SDLK_ESCAPE:
      goBack(*target);
      return;
    default:
      // Keys that type arrive as text input as well; the rest only count as activity.
      break;
  }
  target->sendEvent(Event{Event::Type::kPress, {}});
}

void Display::State::handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      closed = true;
      return;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) closed = true;
      if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) createTexture();
      if (event.window.event != SDL_WINDOWEVENT_EXPOSED) return;
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      createTexture();
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button != SDL_BUTTON_LEFT) return;
      pressDown(toPoints(event.button.x, event.button.y));
      break;
    case SDL_MOUSEMOTION:
      if (!press || (event.motion.state & SDL_BUTTON_LMASK) == 0) return;
      pressMoved(toPoints(event.motion.x, event.motion.y));
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return;
      pressUp(toPoints(event.button.x, event.button.y));
      break;
    case SDL_MOUSEWHEEL: {
      const double flip = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
      wheel(toPoints(event.wheel.mouseX, event.wheel.mouseY), flip * event.wheel.preciseX,
            flip * event.wheel.preciseY);
      break;
    }
    case SDL_TEXTINPUT:
      textTyped(event.text.text);
      break;
    case SDL_KEYDOWN:
      keyDown(event.key.keysym);
      break;
    default:
      return;
  }
  dirty = true;
}

bool Display::State::animating(double now) const {
  // Frames run until one has been drawn at or after the last animation's end.
  return lastDrawn < animationsEndTime() || now < animationsEndTime();
}

void Display::State::draw(double now) {
  updateCaret();
  std::fill(frame.begin(), frame.end(), kWhite);
  const PixelBuffer target{reinterpret_cast<std::uint8_t*>(frame.data()), pixelWidth, pixelHeight,
                           pixelWidth * 4};
  for (const auto& shown : windows) {
    if (auto candidate = shown.lock(); candidate && !candidate->hidden) {
      drawView(*candidate, scale, target);
    }
  }
  SDL_UpdateTexture(texture.get(), nullptr, frame.data(), pixelWidth * 4);
  SDL_RenderClear(renderer.get());
  SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
  SDL_RenderPresent(renderer.get());
  lastDrawn = now;
  dirty = false;
  ++frames;
}

OpenResult Display::open(const DisplayOptions& options) {
  if (displayOpen) return {nullptr, "a display is already open"};
  const Size size = options.size;
  if (!(size.width >= 1 && size.height >= 1 && size.width <= 16384 && size.height <= 16384)) {
    return {nullptr, "the window size must be between 1 and 16384 points a side"};
  }
  // A click that focuses the window is also a tap, as a touch screen has no focus click.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    return {nullptr, std::string("cannot open a display: ") + SDL_GetError()};
  }
  auto state = std::make_unique<State>();
  displayOpen = true;
  state->size = size;
  state->caretBlinkInterval = options.caretBlinkInterval;
  state->window.reset(
      SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                       static_cast<int>(std::lround(size.width)),
                       static_cast<int>(std::lround(size.height)), SDL_WINDOW_ALLOW_HIGHDPI));
  if (!state->window) return {nullptr, std::string("cannot open a window: ") + SDL_GetError()};
  state->renderer.reset(SDL_CreateRenderer(state->window.get(), -1, 0));
  if (!state->renderer) {
    return {nullptr, std::string("cannot draw in the window: ") + SDL_GetError()};
  }
  if (!state->createTexture()) {
    return {nullptr, std::string("cannot make the window's frame: ") + SDL_GetError()};
  }
  SDL_DisplayMode mode;
  if (SDL_GetWindowDisplayMode(state->window.get(), &mode) == 0 && mode.refresh_rate > 0) {
    state->frameInterval = 1.0 / mode.refresh_rate;
  }
  setMainScreenSize(size);
  auto& loop = RunLoop::main();
  loop.setClock(std::make_unique<SystemClock>(loop.now()));
  SDL_StartTextInput();
  return {std::unique_ptr<Display>(new Display(std::move(state))), ""};
}

Display::Display(std::unique_ptr<State> state) : state_(std::move(state)) {}

Display::~Display() = default;

void Display::show(const std::shared_ptr<Window>& window) {
  if (!window) return;
  const Rect screen = mainScreenBounds();
  if (window->frame() != screen) window->setFrame(screen);
  if (const auto& root = window->rootViewController()) root->view()->setFrame(window->bounds());
  state_->windows.push_back(window);
  state_->dirty = true;
}

bool Display::turn(double maxWait) {
  State& s = *state_;
  auto& loop = RunLoop::main();
  double now = loop.now();
  double wait = std::max(maxWait, 0.0);
  if (s.dirty || loop.pendingTaskCount() > 0) wait = 0;
  if (s.animating(now)) wait = std::min(wait, s.lastDrawn + s.frameInterval - now);
  if (const auto timer = loop.nextTimerTime()) wait = std::min(wait, *timer - now);
  wait = std::max(wait, 0.0);

  SDL_Event event;
  int got = 0;
  if (std::isinf(wait)) {
    got = SDL_WaitEvent(&event);
  } else {
    // Rounded up: waking a little early would only spin until the timer is due.
    got = SDL_WaitEventTimeout(&event, static_cast<int>(std::ceil(wait * 1000)));
  }
  if (got != 0) {
    s.handle(event);
    while (SDL_PollEvent(&event) != 0) s.handle(event);
  }

  now = loop.now();
  const auto timer = loop.nextTimerTime();
  if (loop.pendingTaskCount() > 0 || (timer && *timer <= now)) {
    loop.runPending();
    s.dirty = true;
  }
  now = loop.now();
  if (s.dirty || (s.animating(now) && now >= s.lastDrawn + s.frameInterval)) s.draw(now);
  return !s.closed;
}

void Display::run(const std::function<bool()>& done) {
  while (turn()) {
    if (done && done()) return;
  }
}

void Display::setNeedsDisplay() { state_->dirty = true; }

Size Display::size() const { return state_->size; }

double Display::scale() const { return state_->scale; }

Pixels Display::readPixels() {
  State& s = *state_;
  Pixels pixels{s.pixelWidth, s.pixelHeight, {}};
  pixels.argb.resize(s.frame.size());
  SDL_RenderCopy(s.renderer.get(), s.texture.get(), nullptr, nullptr);
  if (SDL_RenderReadPixels(s.renderer.get(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.argb.data(),
                           s.pixelWidth * 4) != 0) {
    return {};
  }
  return pixels;
}

std::uint64_t Display::framesPresented() const { return state_->frames; }

void Display::setTitle(std::string_view title) {
  SDL_SetWindowTitle(state_->window.get(), std::string(title).c_str());
}

}  // namespace zelto::platform::sdl
