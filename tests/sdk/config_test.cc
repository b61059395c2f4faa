#include <gtest/gtest.h>
#include <zelto/sdk/zelto_config.h>

#include <tuple>

#include "base/debug_console.h"
#include "base/resource_bundle.h"

namespace zelto {
namespace {

using platform::Color;

// Everything a host can set, read back through the public accessors.
auto observable(const ZeltoConfig& c) {
  return std::tuple(c.isFirstTimeTutorialEnabledForP2M, c.isFirstTimeTutorialEnabledForP2P,
                    c.showWaitScreen, c.issuerBackButton, c.paymerchantTimeOutInSeconds(),
                    c.withdrawCashTimeOutInSeconds(), c.payFriendTimeoutInSeconds(),
                    c.backgroundColor, c.fontColor, c.actionButtonColor, c.actionButtonActiveColor,
                    c.actionButtonFontColor, c.textFieldStatusColor(), c.textCaretColor(),
                    c.supportedNetworkImage);
}

TEST(ZeltoConfigTest, DefaultsAndNoWayToSwitchTlvValidationOn) {
  ZeltoConfig config;
  config.setIsTLVValidationRequiredForP2M(true);
  EXPECT_FALSE(config.isTLVValidationRequiredForP2M());
  const auto navy = Color::fromHex("#15195A");
  EXPECT_EQ(observable(config),
            std::tuple(false, false, true, *platform::imageNamed("icon_left_arrow"), 180, 180, 180,
                       navy, Color::white(), Color::fromHex("#003EA9"), Color::fromHex("#1869D6"),
                       Color::white(), navy, navy, std::nullopt));
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
    for (const int value : {1, 0, -1}) {
      ZeltoConfig config;
      (config.*set)(30);
      platform::ScopedDebugConsoleCapture console;
      (config.*set)(value);
      EXPECT_EQ((config.*get)(), value < 1 ? 180 : value) << value;
      EXPECT_EQ(console.lines(),
                std::vector<std::string>(value < 1, "Time out seconds cannot be negative"));
    }
  }
}

TEST(ZeltoConfigTest, DerivedColoursFollowTheBackgroundUntilSetOrCopied) {
  // Every field differs from its default, so a field left out of the copy shows.
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
  const auto copied = observable(source);
  EXPECT_TRUE(console.lines().empty());
  EXPECT_EQ(observable(*copy), copied);

  source.fontColor = Color::gray();
  source.backgroundColor = Color::gray();
  source.supportedNetworkImage->clear();
  EXPECT_EQ(observable(*copy), copied);
  // The source's caret colour follows its background, its set text field colour does not; the
  // copy got both fixed.
  EXPECT_EQ(std::pair(source.textCaretColor(), source.textFieldStatusColor()),
            std::pair(Color::gray(), Color::white()));
  copy->backgroundColor = Color::white();
  EXPECT_EQ(copy->textCaretColor(), Color::black());
}

}  // namespace
}  // namespace zelto
