// ZeltoConfig: the host's choice of colours, back-button image, network logos and idle timeouts.
//
// The host builds one, changes what it wants and hands it to
// ZeltoMerchantSDK::setupOneTimeConfiguration; the session keeps a deepCopy(), so later changes
// to the host's object have no effect. Fields without a rule are plain public members; the
// timeouts, isTLVValidationRequiredForP2M and the two text-field colours have accessors that
// apply their rules:
// - a timeout below 1 second prints "Time out seconds cannot be negative" to the debug console
//   and becomes 180;
// - isTLVValidationRequiredForP2M is always false, whatever is assigned;
// - textFieldStatusColor / textCaretColor read the stored colour, or backgroundColor when none
//   is stored.
//
// Default colours follow the hex rule of platform::Color::fromHex.
//
// Thread-safety: a plain record; used on the main thread.
#ifndef ZELTO_SDK_ZELTO_CONFIG_H_
#define ZELTO_SDK_ZELTO_CONFIG_H_

#include <zelto/base/color.h>
#include <zelto/base/image.h>
#include <zelto/export.h>

#include <memory>
#include <optional>
#include <vector>

namespace zelto {

class ZELTO_EXPORT ZeltoConfig {
 public:
  // Every field at its default: timeouts 180, showWaitScreen true, the bundle's
  // "icon_left_arrow" as back button, the default colours, no text-field colours, no logos.
  ZeltoConfig();

  // An independent configuration with the same values, built through the setters (so a timeout
  // below 1 prints the debug text and becomes 180). Its two text-field colours are always
  // present: the source's, or the source's backgroundColor where the source had none.
  std::shared_ptr<ZeltoConfig> deepCopy() const;

  static platform::Color defaultSdkBackgroundColor();          // "#15195A"
  static platform::Color defaultSdkfontColor();                // "#FFFFFF"
  static platform::Color defaultSdkActionButtonColor();        // "#003EA9"
  static platform::Color defaultSdkActionButtonActiveColor();  // "#1869D6"
  static platform::Color defaultSdkActionButtonFontColor();    // defaultSdkfontColor()

  bool isFirstTimeTutorialEnabledForP2M = false;

  bool isTLVValidationRequiredForP2M() const { return false; }
  // Stores false whatever `value` is.
  void setIsTLVValidationRequiredForP2M(bool value);

  bool showWaitScreen = true;
  platform::Image issuerBackButton;

  int paymerchantTimeOutInSeconds() const { return paymerchantTimeOutInSeconds_; }
  void setPaymerchantTimeOutInSeconds(int seconds);
  int withdrawCashTimeOutInSeconds() const { return withdrawCashTimeOutInSeconds_; }
  void setWithdrawCashTimeOutInSeconds(int seconds);

  platform::Color backgroundColor = defaultSdkBackgroundColor();

  // The base colour of input fields: the stored one, or backgroundColor.
  platform::Color textFieldStatusColor() const;
  void setTextFieldStatusColor(platform::Color color) { textFieldBaseColor_ = color; }
  // The caret colour of input fields: the stored one, or backgroundColor.
  platform::Color textCaretColor() const;
  void setTextCaretColor(platform::Color color) { textFieldCaretColor_ = color; }

  platform::Color fontColor = defaultSdkfontColor();
  platform::Color actionButtonColor = defaultSdkActionButtonColor();
  std::optional<std::vector<platform::Image>> supportedNetworkImage;
  platform::Color actionButtonActiveColor = defaultSdkActionButtonActiveColor();
  platform::Color actionButtonFontColor = defaultSdkActionButtonFontColor();
  bool isFirstTimeTutorialEnabledForP2P = false;

  int payFriendTimeoutInSeconds() const { return payFriendTimeoutInSeconds_; }
  void setPayFriendTimeoutInSeconds(int seconds);

 private:
  int paymerchantTimeOutInSeconds_ = 180;
  int withdrawCashTimeOutInSeconds_ = 180;
  int payFriendTimeoutInSeconds_ = 180;
  std::optional<platform::Color> textFieldBaseColor_;
  std::optional<platform::Color> textFieldCaretColor_;
};

}  // namespace zelto

#endif  // ZELTO_SDK_ZELTO_CONFIG_H_
