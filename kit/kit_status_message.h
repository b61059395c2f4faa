// The status-message banner: a short message at the top of a screen in one of three types.
//
// KitStatusMessageView draws it: a rounded band (corner radius 8) in the type's colour with the
// message in white, up to two lines (longer text shrinks to fit). Success is green, warning
// amber, error red (KitPalette). Accessibility identifier "Status_Message".
//
// KitViewControllerWithGSM is what a screen offers to show one: the library's base screen puts
// the banner over its top edge and takes it away after its GSMDuration, or at once on
// hideGSMMessage(). Showing a new message replaces the one shown and restarts the time.
//
// Thread-safety: main thread only.
#ifndef ZELTO_KIT_KIT_STATUS_MESSAGE_H_
#define ZELTO_KIT_KIT_STATUS_MESSAGE_H_

#include <algorithm>
#include <memory>
#include <string>

#include "platform/view.h"

namespace zelto {

enum class KitStatusMessageType { success, warning, error };

class KitStatusMessageView : public platform::View {
 public:
  static constexpr double kHeight = 56;
  static constexpr double kMargin = 16;
  static constexpr std::string_view kAccessibilityIdentifier = "Status_Message";

  static std::shared_ptr<KitStatusMessageView> create();

  void setMessage(std::string message, KitStatusMessageType type);
  const std::string& message() const { return label_->text; }
  KitStatusMessageType type() const { return type_; }

  // Places the banner across the top of a view `width` points wide, `top` points down.
  void layout(double width, double top);

 private:
  std::shared_ptr<platform::Label> label_;
  KitStatusMessageType type_ = KitStatusMessageType::error;
};

class KitViewControllerWithGSM {
 public:
  KitViewControllerWithGSM() = default;
  virtual ~KitViewControllerWithGSM() = default;
  KitViewControllerWithGSM(const KitViewControllerWithGSM&) = delete;
  KitViewControllerWithGSM& operator=(const KitViewControllerWithGSM&) = delete;

  virtual void showGSMMessage(const std::string& message, KitStatusMessageType type) = 0;
  virtual void hideGSMMessage() = 0;
};

}  // namespace zelto

#endif  // ZELTO_KIT_KIT_STATUS_MESSAGE_H_
