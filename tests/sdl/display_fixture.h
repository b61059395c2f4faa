// The fixture of the desktop front end's tests: a display on SDL's offscreen video driver
// showing the host screen of `zelto app` and the library's own window, driven as a person drives
// it, by mouse and keyboard events pushed into SDL's queue at window positions.
#ifndef ZELTO_TESTS_SDL_DISPLAY_FIXTURE_H_
#define ZELTO_TESTS_SDL_DISPLAY_FIXTURE_H_

#include <SDL.h>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <zelto/platform/run_loop.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/resource_bundle.h"
#include "host/app_host.h"
#include "host/demo_merchant.h"
#include "host/ui_driver.h"
#include "platform/alert_controller.h"
#include "platform/animation.h"
#include "platform/controls.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "platform/sdl/display.h"
#include "sdk/session.h"
#include "sdk/session_constants.h"

namespace zelto::platform::sdl {

// Longest a test waits for the screens to come to rest.
inline constexpr double kSettleLimit = 5;

class DisplayTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    // SDL's own software drawing: the pixels read back are exactly those drawn, and no GL
    // driver is loaded.
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
  }

  // The caret blinks only in the test of its blinking: a blink timer would keep the screens from
  // ever coming to rest in settle().
  virtual double caretBlinkInterval() const { return 0; }

  void SetUp() override {
    DisplayOptions options;
    options.caretBlinkInterval = caretBlinkInterval();
    auto opened = Display::open(options);
    ASSERT_NE(opened.display, nullptr) << opened.error;
    display_ = std::move(opened.display);
    host_ = std::make_unique<host::AppHost>(
        host::AppRequests{host::demoMerchant, host::demoMerchantTags, host::demoRefund},
        [this](const std::string& message) { messages_.push_back(message); });
    display_->show(host_->window());
    display_->show(ZeltoSession::sharedSession().sdkWindow);
    settle();
  }

  void TearDown() override {
    host_.reset();
    settle();
    display_.reset();
  }

  // Turns the display until no animation runs and nothing is due soon.
  void settle() {
    auto& loop = RunLoop::main();
    const double deadline = loop.now() + kSettleLimit;
    while (loop.now() < deadline) {
      display_->turn(0.02);
      const auto next = loop.nextTimerTime();
      if (loop.now() > animationsEndTime() && loop.pendingTaskCount() == 0 &&
          (!next || *next > loop.now() + 1)) {
        break;
      }
    }
    display_->turn(0);
    if (host_) host_->update();
  }

  static void push(SDL_Event event) {
    event.common.timestamp = SDL_GetTicks();
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
  }

  static void mouse(Uint32 type, Point at) {
    SDL_Event event{};
    event.type = type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = static_cast<Sint32>(at.x);
    event.button.y = static_cast<Sint32>(at.y);
    push(event);
  }

  static void drag(Point to) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.state = SDL_BUTTON_LMASK;
    event.motion.x = static_cast<Sint32>(to.x);
    event.motion.y = static_cast<Sint32>(to.y);
    push(event);
  }

  void clickAt(Point at) {
    mouse(SDL_MOUSEBUTTONDOWN, at);
    mouse(SDL_MOUSEBUTTONUP, at);
    settle();
  }

  // The window that has the keyboard: the library's while a flow is on screen.
  static Window& front() { return *Application::shared().keyWindow(); }

  static std::shared_ptr<View> find(std::string_view identifier) {
    return host::findView(front(), identifier);
  }

  // Where `identifier` is in the window: its centre, in window coordinates.
  static Point centreOf(std::string_view identifier) {
    const auto view = find(identifier);
    EXPECT_NE(view, nullptr) << identifier;
    if (!view) return {-1, -1};
    const Rect rect = view->convertToWindow(view->bounds());
    return {rect.x + rect.width / 2, rect.y + rect.height / 2};
  }

  void click(std::string_view identifier) { clickAt(centreOf(identifier)); }

  void type(std::string_view text) {
    for (char key : text) {
      SDL_Event event{};
      event.type = SDL_TEXTINPUT;
      event.text.text[0] = key;
      push(event);
    }
    settle();
  }

  void press(SDL_Keycode key, Uint16 modifiers = KMOD_NONE) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    push(event);
    settle();
  }

  std::string fieldText(std::string_view identifier) {
    const auto field = std::dynamic_pointer_cast<TextField>(find(identifier));
    return field ? field->text : "(no field " + std::string(identifier) + ")";
  }

  // The QR code in the window's pixels as a phone camera reads it, or "(unreadable)".
  std::string readQrFromWindow() {
    const Pixels pixels = display_->readPixels();
    std::vector<std::uint8_t> luminance;
    luminance.reserve(pixels.argb.size());
    for (const std::uint32_t pixel : pixels.argb) luminance.push_back((pixel >> 8) & 0xFF);
    const auto result =
        ZXing::ReadBarcode({luminance.data(), pixels.width, pixels.height, ZXing::ImageFormat::Lum},
                           ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
    if (!result.isValid()) return "(unreadable)";
    return std::string(result.bytes().begin(), result.bytes().end());
  }

  // The view of the front screen that has the keyboard, if any.
  static std::shared_ptr<View> responder() {
    std::vector<std::shared_ptr<View>> stack{front().subviews().back()};
    while (!stack.empty()) {
      auto view = stack.back();
      stack.pop_back();
      if (view->isFirstResponder()) return view;
      for (const auto& child : view->subviews()) stack.push_back(child);
    }
    return nullptr;
  }

  static bool flowOnScreen() {
    const auto& window = ZeltoSession::sharedSession().sdkWindow;
    return !window->hidden && window->isKeyWindow();
  }

  std::unique_ptr<Display> display_;
  std::unique_ptr<host::AppHost> host_;
  // What the host said, one message a result or shared file.
  std::vector<std::string> messages_;
};

}  // namespace zelto::platform::sdl

#endif  // ZELTO_TESTS_SDL_DISPLAY_FIXTURE_H_
