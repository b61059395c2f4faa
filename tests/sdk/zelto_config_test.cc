#include "sdk/zelto_config.h"

#include <gtest/gtest.h>

#include "platform/debug_console.h"
#include "platform/resource_bundle.h"

namespace zelto {
namespace {

using platform::Color;

constexpr const char* kNegative = "Time out seconds cannot be negative";

TEST(ZeltoConfigTest, Defaults) {
  const ZeltoConfig config;
  EXPECT_FALSE(config.isFirstTimeTutorialEnabledForP2M);
  EXPECT_FALSE(config.isFirstTimeTutorialEnabledForP2P);
  EXPECT_FALSE(config.isTLVValidationRequiredForP2M());
  EXPECT_TRUE(config.showWaitScreen);
  EXPECT_EQ(config.issuerBackButton, platform::imageNamed("icon_left_arrow"));
  EXPECT_EQ(config.paymerchantTimeOutInSeconds(), 180);
  EXPECT_EQ(config.withdrawCashTimeOutInSeconds(), 180);
  EXPECT_EQ(config.payFriendTimeoutInSeconds(), 180);
  EXPECT_EQ(config.backgroundColor, Color::fromHex("#15195A"));
  EXPECT_EQ(config.fontColor, Color::white());
  EXPECT_EQ(config.actionButtonColor, Color::fromHex("#003EA9"));
  EXPECT_EQ(config.actionButtonActiveColor, Color::fromHex("#1869D6"));
  EXPECT_EQ(config.actionButtonFontColor, Color::white());
  EXPECT_EQ(config.textFieldStatusColor(), config.backgroundColor);
  EXPECT_EQ(config.textCaretColor(), config.backgroundColor);
  EXPECT_FALSE(config.supportedNetworkImage.has_value());
}

TEST(ZeltoConfigTest, TimeoutsBelowOneBecome180WithOneDebugText) {
  using Setter = void (ZeltoConfig::*)(int);
  using Getter = int (ZeltoConfig::*)() const;
  const std::pair<Setter, Getter> timeouts[] = {
      {&ZeltoConfig::setPaymerchantTimeOutInSeconds, &ZeltoConfig::paymerchantTimeOutInSeconds},
      {&ZeltoConfig::setWithdrawCashTimeOutInSeconds, &ZeltoConfig::withdrawCashTimeOutInSeconds},
      {&ZeltoConfig::setPayFriendTimeoutInSeconds, &ZeltoConfig::payFriendTimeoutInSeconds},
  };
  for (const auto& [set, get] : timeouts) {
    for (const int value : {0, -1, -100000}) {
      ZeltoConfig config;
      (config.*set)(30);
      platform::ScopedDebugConsoleCapture console;
      (config.*set)(value);
      EXPECT_EQ((config.*get)(), 180) << value;
      EXPECT_EQ(console.lines(), std::vector<std::string>{kNegative}) << value;
    }
    ZeltoConfig config;
    platform::ScopedDebugConsoleCapture console;
    (config.*set)(1);
    EXPECT_EQ((config.*get)(), 1);
    EXPECT_TRUE(console.lines().empty());
  }
}

TEST(ZeltoConfigTest, TlvValidationCannotBeSwitchedOn) {
  ZeltoConfig config;
  config.setIsTLVValidationRequiredForP2M(true);
  EXPECT_FALSE(config.isTLVValidationRequiredForP2M());
  EXPECT_FALSE(config.deepCopy()->isTLVValidationRequiredForP2M());
}

TEST(ZeltoConfigTest, DerivedTextFieldColoursFollowTheBackgroundUntilSet) {
  ZeltoConfig config;
  config.backgroundColor = Color::black();
  EXPECT_EQ(config.textFieldStatusColor(), Color::black());
  config.setTextFieldStatusColor(Color::white());
  config.backgroundColor = Color::gray();
  EXPECT_EQ(config.textFieldStatusColor(), Color::white());
  EXPECT_EQ(config.textCaretColor(), Color::gray());
  config.setTextCaretColor(Color::clear());
  EXPECT_EQ(config.textCaretColor(), Color::clear());
}

TEST(ZeltoConfigTest, DeepCopyIsIndependentAndFillsTextFieldColours) {
  ZeltoConfig source;
  source.isFirstTimeTutorialEnabledForP2M = true;
  source.isFirstTimeTutorialEnabledForP2P = true;
  source.showWaitScreen = false;
  source.setPaymerchantTimeOutInSeconds(30);
  source.setWithdrawCashTimeOutInSeconds(40);
  source.setPayFriendTimeoutInSeconds(50);
  source.backgroundColor = Color::black();
  source.setTextFieldStatusColor(Color::white());
  source.fontColor = Color::fromHex("#112233");
  source.actionButtonColor = Color::fromHex("#445566");
  source.actionButtonActiveColor = Color::fromHex("#778899");
  source.actionButtonFontColor = Color::fromHex("#AABBCC");
  source.issuerBackButton = platform::Image();
  source.supportedNetworkImage = std::vector{*platform::imageNamed("icon_left_arrow")};

  platform::ScopedDebugConsoleCapture console;
  const auto copy = source.deepCopy();
  EXPECT_TRUE(console.lines().empty());
  EXPECT_TRUE(copy->isFirstTimeTutorialEnabledForP2M);
  EXPECT_TRUE(copy->isFirstTimeTutorialEnabledForP2P);
  EXPECT_FALSE(copy->showWaitScreen);
  EXPECT_EQ(copy->paymerchantTimeOutInSeconds(), 30);
  EXPECT_EQ(copy->withdrawCashTimeOutInSeconds(), 40);
  EXPECT_EQ(copy->payFriendTimeoutInSeconds(), 50);
  EXPECT_EQ(copy->backgroundColor, Color::black());
  EXPECT_EQ(copy->textFieldStatusColor(), Color::white());
  EXPECT_EQ(copy->textCaretColor(), Color::black());  // the source had none
  EXPECT_EQ(copy->fontColor, source.fontColor);
  EXPECT_EQ(copy->actionButtonColor, source.actionButtonColor);
  EXPECT_EQ(copy->actionButtonActiveColor, source.actionButtonActiveColor);
  EXPECT_EQ(copy->actionButtonFontColor, source.actionButtonFontColor);
  EXPECT_TRUE(copy->issuerBackButton.empty());
  EXPECT_EQ(copy->supportedNetworkImage, source.supportedNetworkImage);

  source.fontColor = Color::gray();
  source.backgroundColor = Color::gray();
  source.supportedNetworkImage->clear();
  EXPECT_EQ(copy->fontColor, Color::fromHex("#112233"));
  // Both colours were copied in, so the copy no longer follows any background.
  copy->backgroundColor = Color::white();
  EXPECT_EQ(copy->textCaretColor(), Color::black());
  EXPECT_EQ(copy->supportedNetworkImage->size(), 1u);
}

}  // namespace
}  // namespace zelto
