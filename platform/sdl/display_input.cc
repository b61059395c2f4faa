// A display's input: presses, drags and taps, the wheel, typed text, keys, focus moves and the
// caret's blink.
#include <SDL.h>
#include <zelto/platform/run_loop.h>

#include <algorithm>
#include <cmath>

#include "platform/controls.h"
#include "platform/sdl/display_state.h"
#include "platform/window_input.h"

namespace zelto::platform::sdl {
namespace {

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

}  // namespace

Point Display::State::toPoints(int x, int y) const {
  int windowWidth = 0;
  int windowHeight = 0;
  sdl().GetWindowSize(window.get(), &windowWidth, &windowHeight);
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

}  // namespace zelto::platform::sdl
