// The user-interface kit: themes follow the configuration, input fields show their state, the
// status banner comes and goes, placeholders are filled.
#include <gtest/gtest.h>

#include "kit/kit_bundle.h"
#include "kit/kit_button.h"
#include "kit/kit_input_field.h"
#include "kit/kit_status_message.h"
#include "tests/screens/screen_fixture.h"

namespace zelto::testing {
namespace {

using platform::Color;
using platform::ControlState;

TEST_F(ScreensTest, PrimaryButtonsAndSwitchesTakeTheHostsColours) {
  ZeltoConfig config;
  config.actionButtonColor = Color::fromHex("#AA0000");
  config.actionButtonActiveColor = Color::fromHex("#550000");
  config.actionButtonFontColor = Color::fromHex("#FFEE00");
  ZeltoMerchantSDK::setupOneTimeConfiguration(config);
  launch();
  const auto details = find<platform::Button>("Payment_Details_Button");
  ASSERT_NE(details, nullptr);
  EXPECT_EQ(details->backgroundColorForState(ControlState::kNormal), Color::fromHex("#AA0000"));
  EXPECT_EQ(details->backgroundColorForState(ControlState::kHighlighted),
            Color::fromHex("#550000"));
  EXPECT_EQ(details->titleColor(ControlState::kNormal), Color::fromHex("#FFEE00"));
  EXPECT_EQ(details->backgroundColorForState(ControlState::kDisabled)->alpha,
            KitPrimaryButton::kDisabledAlpha);
  EXPECT_EQ(details->title(), "PAYMENT DETAILS");
  openDetails();
  EXPECT_EQ(find<platform::Switch>("Bill_Number_Switch")->onTintColor, Color::fromHex("#AA0000"));
  EXPECT_EQ(find<platform::Button>("Update_Payment_Details_Button")
                ->backgroundColorForState(ControlState::kNormal),
            Color::fromHex("#AA0000"));
}

TEST_F(ScreensTest, InputFieldBorderShowsRestFocusAndErrorWithErrorWinning) {
  launch();
  openDetails();
  ASSERT_EQ(toggle("Bill_Number_Switch"), host::DriveResult::kDone);
  const auto field = find<platform::TextField>("Bill_Number_Field");
  const auto input = std::dynamic_pointer_cast<KitInputField>(field->superview());
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(input->style(), KitFieldStyle::normal);
  EXPECT_EQ(input->borderColor, KitPalette::border());
  type("Bill_Number_Field", "A");
  EXPECT_EQ(input->style(), KitFieldStyle::focused);
  EXPECT_EQ(input->borderColor, ZeltoConfig::defaultSdkActionButtonColor());
  type("Bill_Number_Field", std::string(25, 'x'));  // 26 characters: invalid
  EXPECT_EQ(input->style(), KitFieldStyle::error);
  EXPECT_EQ(input->borderColor, KitPalette::error());
  field->resignFirstResponder();
  EXPECT_EQ(input->style(), KitFieldStyle::error);
  erase("Bill_Number_Field", 1);
  EXPECT_EQ(input->style(), KitFieldStyle::focused);
  field->resignFirstResponder();
  EXPECT_EQ(input->borderColor, KitPalette::border());
}

TEST_F(ScreensTest, BannerStaysForItsDurationAndANewMessageRestartsIt) {
  launch();
  const auto screen = qrScreen();
  screen->showGSMMessage("Saved", KitStatusMessageType::success);
  EXPECT_EQ(screen->statusMessage()->backgroundColor, KitPalette::success());
  loop().runFor(3);
  screen->showGSMMessage("Careful", KitStatusMessageType::warning);
  loop().runFor(3);
  ASSERT_NE(screen->statusMessage(), nullptr);
  EXPECT_EQ(screen->statusMessage()->message(), "Careful");
  EXPECT_EQ(screen->statusMessage()->backgroundColor, KitPalette::warning());
  loop().runFor(1.1);
  EXPECT_EQ(screen->statusMessage(), nullptr);
  screen->showGSMMessage("Gone", KitStatusMessageType::error);
  screen->hideGSMMessage();
  EXPECT_EQ(screen->statusMessage(), nullptr);
}

TEST(KitBundleTest, EveryPlaceholderIsReplacedOnceAndValuesAreNotSearched) {
  struct Case {
    std::string text;
    std::string value;
    std::string expected;
  };
  const Case cases[] = {
      {"Set [L]", "Bill", "Set Bill"},
      {"[L][L]", "ab", "abab"},             // side by side
      {"[L] [L] [L]", "x", "x x x"},        // every one
      {"[L][L]", "", ""},                   // an empty value
      {"[L][L]", "[L]", "[L][L]"},          // a value holding the placeholder stays as it is
      {"[L]x[L]", "y[L]z", "y[L]zxy[L]z"},  // also when longer than the placeholder
      {"[[L]L]", "!", "[!L]"},              // the inner one only
      {"[L", "x", "[L"},                    // half a placeholder
  };
  for (const Case& c : cases) EXPECT_EQ(replaceAll(c.text, "[L]", c.value), c.expected) << c.text;
  EXPECT_EQ(replaceAll("[L]", "", "x"), "[L]");
  // The bundle's own texts: a switch title with the field's name put in.
  EXPECT_EQ(KitBundle::string("Set [Default Label]", "[Default Label]", "[Default Label]"),
            "Set [Default Label]");
}

}  // namespace
}  // namespace zelto::testing
