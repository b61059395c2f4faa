// The flows run by hand through the front end: the amount typed on the details screen in the
// code on screen, a refund confirmed through its dialog, the shared image, keys, Escape and
// scrolling.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/language.h"
#include "tests/sdl/display_fixture.h"

namespace zelto::platform::sdl {
namespace {

TEST_F(DisplayTest, AmountTypedOnTheDetailsScreenIsInTheCodeOnScreen) {
  click(host::kAppRequestButton);
  ASSERT_TRUE(flowOnScreen());
  const std::string before = readQrFromWindow();
  EXPECT_NE(before.find("Zelto Demo Store"), std::string::npos) << before;

  click("Payment_Details_Button");
  ASSERT_NE(find("Amount_Field"), nullptr);
  // UPDATE is disabled until something is edited: a click on it does nothing.
  ASSERT_FALSE(find("Update_Payment_Details_Button")->enabled);
  click("Update_Payment_Details_Button");
  ASSERT_NE(find("Payment_Details_Form"), nullptr) << "still on the details screen";
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

class ArabicDisplayTest : public DisplayTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(setLanguage("ar"));
    DisplayTest::SetUp();
  }
  void TearDown() override {
    DisplayTest::TearDown();
    useDeviceLanguage();
  }
};

TEST_F(ArabicDisplayTest, TheWindowIsMirroredAndEscapeStillGoesBack) {
  click(host::kAppRequestButton);
  ASSERT_TRUE(flowOnScreen());
  // The code reads from the window's pixels as in English; the back button is on the right.
  EXPECT_NE(readQrFromWindow().find("Zelto Demo Store"), std::string::npos);
  const double half = front().bounds().width / 2;
  EXPECT_GT(centreOf(StringConstants::BACK_BUTTON_IDENTIFIER).x, half);
  EXPECT_LT(centreOf("Save_To_Gallery_Button").x, half);
  click("Payment_Details_Button");
  ASSERT_NE(find("Payment_Details_Form"), nullptr);
  // Escape finds the close button on the left of the details screen, then the back button on
  // the right of the code screen.
  press(SDLK_ESCAPE);
  ASSERT_NE(find("Payment_Details_Button"), nullptr);
  press(SDLK_ESCAPE);
  EXPECT_FALSE(flowOnScreen());
}

TEST_F(DisplayTest, RefundConfirmedThroughTheDialogIsReportedOnTheHostScreen) {
  const std::string nothingYet = host_->resultText();
  click(host::kAppRefundButton);
  ASSERT_TRUE(flowOnScreen());
  const auto pay = find("PAY_BUTTON");
  ASSERT_NE(pay, nullptr);

  // 255.09 is more than was paid: the button is disabled and a click on it opens no dialog.
  click("Amount_Field");
  type("9");
  ASSERT_FALSE(pay->enabled);
  click("PAY_BUTTON");
  EXPECT_EQ(find("Continue_Button"), nullptr);
  press(SDLK_BACKSPACE);
  ASSERT_TRUE(pay->enabled);

  // Escape is the dialog's "Cancel" (the action that only closes it), never "Continue"; so is a
  // click on it. Nothing is reported.
  click("PAY_BUTTON");
  ASSERT_NE(find("Continue_Button"), nullptr) << "the confirmation dialog is in front";
  press(SDLK_ESCAPE);
  EXPECT_EQ(find("Continue_Button"), nullptr);
  EXPECT_TRUE(flowOnScreen());
  click("PAY_BUTTON");
  ASSERT_NE(find("Continue_Button"), nullptr);
  click("Cancel");
  EXPECT_EQ(find("Continue_Button"), nullptr);
  EXPECT_TRUE(flowOnScreen());
  EXPECT_EQ(host_->resultText(), nothingYet);

  click("PAY_BUTTON");
  click("Continue_Button");
  EXPECT_FALSE(flowOnScreen());
  EXPECT_EQ(host_->resultText(), "Refund of USD 25.50 confirmed");
  EXPECT_EQ(messages_, std::vector<std::string>{"Refund of USD 25.50 confirmed"});
}

TEST_F(DisplayTest, ShareWritesTheImageInTheCurrentFolderAndSaysWhere) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("zelto-share-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  // A file from an earlier session is kept: the image goes to the next free name.
  std::ofstream(folder / "zelto-share-1.png") << "kept";

  click(host::kAppRequestButton);
  click("Save_To_Gallery_Button");
  const auto written = folder / "zelto-share-2.png";
  const std::string note = "Shared image saved to " + written.string();
  EXPECT_EQ(messages_, std::vector<std::string>{note});
  std::ifstream image(written, std::ios::binary);
  std::string signature(8, '\0');
  image.read(signature.data(), 8);
  EXPECT_EQ(signature, "\x89PNG\r\n\x1a\n");
  std::ifstream kept(folder / "zelto-share-1.png");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept");

  // Back on the host screen the result is followed by where the image went, said once.
  press(SDLK_ESCAPE);
  ASSERT_FALSE(flowOnScreen());
  EXPECT_EQ(host_->resultText(), "Payment request closed: the code carried INR 250.00\n" + note);
  EXPECT_EQ(messages_.size(), 2u);

  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
}

TEST_F(DisplayTest, TabMovesFocusForwardAndShiftTabBackwardAroundTheFields) {
  click(host::kAppRequestButton);
  click("Payment_Details_Button");
  // The demo merchant's bill number and terminal ID are on; with the store ID, four fields
  // and the amount's, so that forward and backward go to different ones.
  click("Store_ID_Switch");
  click("Amount_Field");
  const auto focused = [this] {
    const auto field = responder();
    return field ? field->accessibilityIdentifier : std::string("(none)");
  };
  ASSERT_EQ(focused(), "Amount_Field");
  const std::vector<std::pair<Uint16, std::string>> steps = {
      {KMOD_NONE, "Bill_Number_Field"},  {KMOD_NONE, "Store_ID_Field"},
      {KMOD_NONE, "Terminal_ID_Field"},  {KMOD_NONE, "Amount_Field"},  // round to the first
      {KMOD_SHIFT, "Terminal_ID_Field"},                               // and back round to the last
      {KMOD_SHIFT, "Store_ID_Field"},    {KMOD_SHIFT, "Bill_Number_Field"},
      {KMOD_SHIFT, "Amount_Field"},      {KMOD_NONE, "Bill_Number_Field"},
  };
  for (const auto& [modifier, expected] : steps) {
    press(SDLK_TAB, modifier);
    EXPECT_EQ(focused(), expected) << (modifier == KMOD_SHIFT ? "Shift+Tab" : "Tab");
  }
}

TEST_F(DisplayTest, KeysGoThroughTheFieldsFilterAndEscapeIsTheBackButton) {
  click(host::kAppRequestButton);
  click("Payment_Details_Button");
  click("Amount_Field");
  const std::string amount = fieldText("Amount_Field");
  type("ab");
  EXPECT_EQ(fieldText("Amount_Field"), amount) << "letters are refused by the amount filter";
  press(SDLK_BACKSPACE);
  EXPECT_NE(fieldText("Amount_Field"), amount);
  EXPECT_LT(fieldText("Amount_Field").size(), amount.size());

  const auto amountField = find("Amount_Field");
  ASSERT_TRUE(amountField->isFirstResponder());
  press(SDLK_RETURN);
  EXPECT_FALSE(amountField->isFirstResponder());

  // Escape leaves the details screen without writing the edit back, then ends the flow.
  press(SDLK_ESCAPE);
  ASSERT_NE(find("Payment_Details_Button"), nullptr);
  press(SDLK_ESCAPE);
  EXPECT_FALSE(flowOnScreen());
  EXPECT_EQ(host_->resultText(), "Payment request closed: the code carried INR 250.00");
}

TEST_F(DisplayTest, WheelAndDragScrollWithinTheContentAndADragIsNoTap) {
  click(host::kAppRequestButton);
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

}  // namespace
}  // namespace zelto::platform::sdl
