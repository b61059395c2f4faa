// The desktop front end driven as a person drives it: mouse and keyboard events pushed into
// SDL's queue at window positions, on SDL's offscreen video driver, with the host screen of
// `zelto app` and the library's own window; outcomes read from the screens, the host's result
// panel and the window's pixels.
#include "platform/sdl/display.h"

#include <SDL.h>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/alert_controller.h"
#include "platform/animation.h"
#include "platform/controls.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "platform/resource_bundle.h"
#include "platform/run_loop.h"
#include "platform/ui_driver.h"
#include "sdk/session_constants.h"
#include "sdk/zelto_session.h"
#include "tools/app_host.h"
#include "tools/demo_merchant.h"

namespace zelto::platform::sdl {
namespace {

using tool::AppHost;

// Longest a test waits for the screens to come to rest.
constexpr double kSettleLimit = 5;

class DisplayTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    // SDL's own software drawing: the pixels read back are exactly those drawn, and no GL
    // driver is loaded.
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
  }

  void SetUp() override {
    auto opened = Display::open({});
    ASSERT_NE(opened.display, nullptr) << opened.error;
    display_ = std::move(opened.display);
    host_ = std::make_unique<AppHost>(
        tool::AppRequests{tool::demoMerchant, tool::demoMerchantTags, tool::demoRefund}, nullptr);
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
    return findView(front(), identifier);
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

  static bool flowOnScreen() {
    const auto& window = ZeltoSession::sharedSession().sdkWindow;
    return !window->hidden && window->isKeyWindow();
  }

  std::unique_ptr<Display> display_;
  std::unique_ptr<AppHost> host_;
};

TEST_F(DisplayTest, AmountTypedOnTheDetailsScreenIsInTheCodeOnScreen) {
  click(tool::kAppRequestButton);
  ASSERT_TRUE(flowOnScreen());
  const std::string before = readQrFromWindow();
  EXPECT_NE(before.find("Zelto Demo Store"), std::string::npos) << before;

  click("Payment_Details_Button");
  ASSERT_NE(find("Amount_Field"), nullptr);
  click("Amount_Field");
  // The demo's amount is cleared key by key, then 1, 2, 3, 4 are typed.
  for (int i = 0; i < 8; ++i) press(SDLK_BACKSPACE);
  type("1234");
  click("Update_Payment_Details_Button");

  ASSERT_NE(find("Payment_Details_Button"), nullptr) << "back on the code screen";
  const std::string payload = readQrFromWindow();
  EXPECT_NE(payload.find("540512.34"), std::string::npos) << payload;
  EXPECT_NE(payload, before);
}

TEST_F(DisplayTest, RefundConfirmedThroughTheDialogIsReportedOnTheHostScreen) {
  click(tool::kAppRefundButton);
  ASSERT_TRUE(flowOnScreen());
  // The pay button is disabled until an amount is entered: a click on it does nothing.
  const auto payButton = find("PAY_BUTTON");
  ASSERT_NE(payButton, nullptr);
  ASSERT_FALSE(payButton->enabled);
  click("PAY_BUTTON");
  EXPECT_EQ(std::dynamic_pointer_cast<AlertController>(
                ZeltoSession::sharedSession().getTopViewController()),
            nullptr);

  click("Amount_Field");
  type("2550");
  ASSERT_TRUE(payButton->enabled);
  click("PAY_BUTTON");
  const std::string proceed = localizedString("ZELTO_CONTINUE");
  ASSERT_NE(find(proceed), nullptr) << "the confirmation dialog is in front";
  click(proceed);

  EXPECT_EQ(host_->resultText(), "Refund of USD 25.50 confirmed");
  EXPECT_FALSE(flowOnScreen());
}

TEST_F(DisplayTest, KeysGoThroughTheFieldsFilterAndEscapeIsTheBackButton) {
  click(tool::kAppRequestButton);
  click("Payment_Details_Button");
  click("Amount_Field");
  const std::string amount = fieldText("Amount_Field");
  type("ab");
  EXPECT_EQ(fieldText("Amount_Field"), amount) << "letters are refused by the amount filter";
  press(SDLK_BACKSPACE);
  EXPECT_NE(fieldText("Amount_Field"), amount);
  EXPECT_LT(fieldText("Amount_Field").size(), amount.size());

  const auto amountField = find("Amount_Field");
  press(SDLK_TAB);
  EXPECT_FALSE(amountField->isFirstResponder());
  const auto responderAfterTab = [] {
    std::vector<std::shared_ptr<View>> stack{front().subviews().back()};
    while (!stack.empty()) {
      auto view = stack.back();
      stack.pop_back();
      if (view->isFirstResponder()) return view;
      for (const auto& child : view->subviews()) stack.push_back(child);
    }
    return std::shared_ptr<View>();
  }();
  ASSERT_NE(responderAfterTab, nullptr) << "Tab focuses the next field";
  EXPECT_NE(std::dynamic_pointer_cast<TextField>(responderAfterTab), nullptr);
  press(SDLK_TAB, KMOD_SHIFT);
  EXPECT_TRUE(amountField->isFirstResponder()) << "Shift+Tab comes back";
  press(SDLK_RETURN);
  EXPECT_FALSE(amountField->isFirstResponder());

  // Escape leaves the details screen without writing the edit back, then ends the flow.
  press(SDLK_ESCAPE);
  ASSERT_NE(find("Payment_Details_Button"), nullptr);
  press(SDLK_ESCAPE);
  EXPECT_FALSE(flowOnScreen());
  EXPECT_EQ(host_->resultText(), "Payment request closed: the code carried INR 250.00");
}

TEST_F(DisplayTest, EveryKindOfInputRestartsTheIdleTimer) {
  click(tool::kAppRefundButton);
  ASSERT_TRUE(flowOnScreen());
  int activity = 0;
  NotificationCenter::defaultCenter().addObserver(
      &activity, std::string(StringConstants::SESSION_TOUCH_EVENT_OCCURRED),
      [&activity](const Notification&) { ++activity; });
  auto& timeout = ZeltoSession::sharedSession().timeoutManager();
  const Point background{4, front().bounds().height - 4};
  const std::function<void()> inputs[] = {
      [&] { clickAt(background); },
      [&] { press(SDLK_LSHIFT); },
      [&] { press(SDLK_BACKSPACE); },
      [&] { type("7"); },
      [&] {
        SDL_Event wheel{};
        wheel.type = SDL_MOUSEWHEEL;
        wheel.wheel.y = -1;
        wheel.wheel.preciseY = -1;
        push(wheel);
        settle();
      },
  };
  for (std::size_t i = 0; i < std::size(inputs); ++i) {
    const auto before = timeout.timeoutTime();
    ASSERT_TRUE(before.has_value());
    const int counted = activity;
    // Long enough for the restarted timer to end later than the running one.
    const double until = RunLoop::main().now() + 0.05;
    while (RunLoop::main().now() < until) display_->turn(0.05);
    inputs[i]();
    EXPECT_GT(activity, counted) << "input " << i;
    EXPECT_GT(timeout.timeoutTime().value_or(0), *before) << "input " << i;
  }
  NotificationCenter::defaultCenter().removeObserver(&activity);
}

TEST_F(DisplayTest, WheelAndDragScrollWithinTheContentAndADragIsNoTap) {
  click(tool::kAppRequestButton);
  click("Payment_Details_Button");
  const auto form = std::dynamic_pointer_cast<ScrollView>(find("Payment_Details_Form"));
  ASSERT_NE(form, nullptr);
  const auto limit = [&form] {
    return std::max(-form->contentInset.top,
                    form->contentSize.height + form->contentInset.bottom - form->bounds().height);
  };
  ASSERT_GT(limit(), kWheelStep) << "the form is taller than its view";
  const Rect frame = form->convertToWindow(form->bounds());
  const Point inside{frame.x + frame.width / 2, frame.y + frame.height / 2};
  const auto wheelDown = [&inside] {
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -1;
    wheel.wheel.preciseY = -1;
    wheel.wheel.mouseX = static_cast<Sint32>(inside.x);
    wheel.wheel.mouseY = static_cast<Sint32>(inside.y);
    push(wheel);
  };

  wheelDown();
  settle();
  EXPECT_DOUBLE_EQ(form->contentOffset.y, kWheelStep);

  // Dragging down pulls the content back; whatever the press began on is not tapped.
  const auto responder = [] {
    std::vector<std::shared_ptr<View>> stack{front().subviews().back()};
    while (!stack.empty()) {
      auto view = stack.back();
      stack.pop_back();
      if (view->isFirstResponder()) return view;
      for (const auto& child : view->subviews()) stack.push_back(child);
    }
    return std::shared_ptr<View>();
  };
  const auto focused = responder();
  mouse(SDL_MOUSEBUTTONDOWN, inside);
  drag({inside.x, inside.y + 20});
  drag({inside.x, inside.y + 30});
  mouse(SDL_MOUSEBUTTONUP, {inside.x, inside.y + 30});
  settle();
  EXPECT_DOUBLE_EQ(form->contentOffset.y, kWheelStep - 30);
  EXPECT_EQ(responder(), focused);
  ASSERT_NE(find("Payment_Details_Form"), nullptr) << "still on the details screen";

  for (int i = 0; i < 100; ++i) wheelDown();
  settle();
  EXPECT_DOUBLE_EQ(form->contentOffset.y, limit()) << "stops at the end of the content";
}

TEST_F(DisplayTest, DrawsWhileSomethingMovesAndNothingWhileIdle) {
  const auto idleFrames = display_->framesPresented();
  const double until = RunLoop::main().now() + 0.3;
  while (RunLoop::main().now() < until) display_->turn(0.1);
  EXPECT_EQ(display_->framesPresented(), idleFrames);

  mouse(SDL_MOUSEBUTTONDOWN, centreOf(tool::kAppRequestButton));
  mouse(SDL_MOUSEBUTTONUP, centreOf(tool::kAppRequestButton));
  settle();
  // The window's slide takes 0.325 s: more than one frame, far fewer than a busy loop's.
  const auto slideFrames = display_->framesPresented() - idleFrames;
  EXPECT_GT(slideFrames, 2u);
  EXPECT_LT(slideFrames, 200u);
}

}  // namespace
}  // namespace zelto::platform::sdl
