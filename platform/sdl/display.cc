#include "platform/sdl/display.h"

#include <SDL.h>
#include <zelto/platform/run_loop.h>

#include <algorithm>
#include <cmath>

#include "platform/animation.h"
#include "platform/renderer.h"
#include "platform/sdl/display_state.h"

namespace zelto::platform::sdl {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

bool displayOpen = false;

}  // namespace

Display::State::~State() {
  stopCaret();
  texture.reset();
  renderer.reset();
  window.reset();
  sdl().QuitSubSystem(SDL_INIT_VIDEO);
  displayOpen = false;
}

bool Display::State::createTexture() {
  int windowWidth = 0;
  int windowHeight = 0;
  sdl().GetWindowSize(window.get(), &windowWidth, &windowHeight);
  if (sdl().GetRendererOutputSize(renderer.get(), &pixelWidth, &pixelHeight) != 0 ||
      pixelWidth <= 0 || pixelHeight <= 0 || windowWidth <= 0) {
    return false;
  }
  scale = static_cast<double>(pixelWidth) / windowWidth;
  texture.reset(sdl().CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                    SDL_TEXTUREACCESS_STREAMING, pixelWidth, pixelHeight));
  frame.assign(static_cast<std::size_t>(pixelWidth) * static_cast<std::size_t>(pixelHeight),
               kWhite);
  dirty = true;
  return texture != nullptr;
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
  sdl().UpdateTexture(texture.get(), nullptr, frame.data(), pixelWidth * 4);
  sdl().RenderClear(renderer.get());
  sdl().RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
  sdl().RenderPresent(renderer.get());
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
  std::string loadError;
  if (loadSdl(loadError) == nullptr) return {nullptr, "cannot open a display: " + loadError};
  // A click that focuses the window is also a tap, as a touch screen has no focus click.
  sdl().SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (sdl().InitSubSystem(SDL_INIT_VIDEO) != 0) {
    return {nullptr, std::string("cannot open a display: ") + sdl().GetError()};
  }
  auto state = std::make_unique<State>();
  displayOpen = true;
  state->size = size;
  state->caretBlinkInterval = options.caretBlinkInterval;
  state->window.reset(
      sdl().CreateWindow(options.title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                         static_cast<int>(std::lround(size.width)),
                         static_cast<int>(std::lround(size.height)), SDL_WINDOW_ALLOW_HIGHDPI));
  if (!state->window) return {nullptr, std::string("cannot open a window: ") + sdl().GetError()};
  state->renderer.reset(sdl().CreateRenderer(state->window.get(), -1, 0));
  if (!state->renderer) {
    return {nullptr, std::string("cannot draw in the window: ") + sdl().GetError()};
  }
  if (!state->createTexture()) {
    return {nullptr, std::string("cannot make the window's frame: ") + sdl().GetError()};
  }
  SDL_DisplayMode mode;
  if (sdl().GetWindowDisplayMode(state->window.get(), &mode) == 0 && mode.refresh_rate > 0) {
    state->frameInterval = 1.0 / mode.refresh_rate;
  }
  setMainScreenSize(size);
  auto& loop = RunLoop::main();
  loop.setClock(std::make_unique<SystemClock>(loop.now()));
  sdl().StartTextInput();
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
    got = sdl().WaitEvent(&event);
  } else {
    // Rounded up: waking a little early would only spin until the timer is due.
    got = sdl().WaitEventTimeout(&event, static_cast<int>(std::ceil(wait * 1000)));
  }
  if (got != 0) {
    s.handle(event);
    while (sdl().PollEvent(&event) != 0) s.handle(event);
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
  sdl().RenderCopy(s.renderer.get(), s.texture.get(), nullptr, nullptr);
  if (sdl().RenderReadPixels(s.renderer.get(), nullptr, SDL_PIXELFORMAT_ARGB8888,
                             pixels.argb.data(), s.pixelWidth * 4) != 0) {
    return {};
  }
  return pixels;
}

std::uint64_t Display::framesPresented() const { return state_->frames; }

void Display::setTitle(std::string_view title) {
  sdl().SetWindowTitle(state_->window.get(), std::string(title).c_str());
}

}  // namespace zelto::platform::sdl
