#include <zelto/sdk/zelto_config.h>

#include "base/debug_console.h"
#include "base/resource_bundle.h"
#include "sdk/session_constants.h"

namespace zelto {
namespace {

constexpr int kDefaultTimeoutSeconds = 180;

int checkedTimeout(int seconds) {
  if (seconds < 1) {
    platform::debugPrint(StringConstants::TIMEOUT_CANNOT_BE_NEGATIVE);
    return kDefaultTimeoutSeconds;
  }
  return seconds;
}

}  // namespace

ZeltoConfig::ZeltoConfig()
    : issuerBackButton(
          platform::imageNamed(StringConstants::ICON_NAVIGATION_BACK).value_or(platform::Image())) {
}

platform::Color ZeltoConfig::defaultSdkBackgroundColor() {
  return platform::Color::fromHex("#15195A");
}
platform::Color ZeltoConfig::defaultSdkfontColor() { return platform::Color::fromHex("#FFFFFF"); }
platform::Color ZeltoConfig::defaultSdkActionButtonColor() {
  return platform::Color::fromHex("#003EA9");
}
platform::Color ZeltoConfig::defaultSdkActionButtonActiveColor() {
  return platform::Color::fromHex("#1869D6");
}
platform::Color ZeltoConfig::defaultSdkActionButtonFontColor() { return defaultSdkfontColor(); }

void ZeltoConfig::setIsTLVValidationRequiredForP2M(bool) {}

void ZeltoConfig::setPaymerchantTimeOutInSeconds(int seconds) {
  paymerchantTimeOutInSeconds_ = checkedTimeout(seconds);
}
void ZeltoConfig::setWithdrawCashTimeOutInSeconds(int seconds) {
  withdrawCashTimeOutInSeconds_ = checkedTimeout(seconds);
}
void ZeltoConfig::setPayFriendTimeoutInSeconds(int seconds) {
  payFriendTimeoutInSeconds_ = checkedTimeout(seconds);
}

platform::Color ZeltoConfig::textFieldStatusColor() const {
  return textFieldBaseColor_.value_or(backgroundColor);
}
platform::Color ZeltoConfig::textCaretColor() const {
  return textFieldCaretColor_.value_or(backgroundColor);
}

std::shared_ptr<ZeltoConfig> ZeltoConfig::deepCopy() const {
  auto copy = std::make_shared<ZeltoConfig>();
  copy->isFirstTimeTutorialEnabledForP2M = isFirstTimeTutorialEnabledForP2M;
  copy->isFirstTimeTutorialEnabledForP2P = isFirstTimeTutorialEnabledForP2P;
  copy->showWaitScreen = showWaitScreen;
  copy->issuerBackButton = issuerBackButton;
  copy->setPaymerchantTimeOutInSeconds(paymerchantTimeOutInSeconds_);
  copy->setPayFriendTimeoutInSeconds(payFriendTimeoutInSeconds_);
  copy->setWithdrawCashTimeOutInSeconds(withdrawCashTimeOutInSeconds_);
  copy->backgroundColor = backgroundColor;
  copy->textFieldBaseColor_ = textFieldStatusColor();
  copy->textFieldCaretColor_ = textCaretColor();
  copy->fontColor = fontColor;
  copy->actionButtonColor = actionButtonColor;
  copy->actionButtonActiveColor = actionButtonActiveColor;
  copy->actionButtonFontColor = actionButtonFontColor;
  copy->supportedNetworkImage = supportedNetworkImage;
  return copy;
}

}  // namespace zelto
