// QRSnapView: the frame of the share image. Top to bottom: a band in "#15195A" with the white
// bold text "Generated on " and the current date and time; the snapshot of the QR screen
// (qrImageView) on a "#F2F4F8" background; the hint "Save as image and load it from your photo
// library to pay." in "#003EA9", shrinking to fit the width.
//
// getCurrentDate() formats the current time with the pattern "dd MMM yyyy, h:mm a" and the
// day-period symbols "AM" and "PM", in the device's locale and time zone (on an English device:
// 04 Dec 2026, 9:05 AM).
//
// Accessibility identifiers: "Generated_On_Label", "Snapshot_Image", "Share_Hint_Label".
//
// Thread-safety: main thread only; formatDate may be called from any thread.
#ifndef ZELTO_SCREENS_QR_SNAP_VIEW_H_
#define ZELTO_SCREENS_QR_SNAP_VIEW_H_

#include <memory>
#include <string>

#include "platform/controls.h"
#include "platform/view.h"

namespace zelto {

class QRSnapView : public platform::View {
 public:
  static constexpr double kBandHeight = 48;
  static constexpr double kHintHeight = 52;
  static constexpr double kPadding = 16;

  using platform::View::View;

  // Builds the band, the snapshot image view and the hint for the current frame.
  void prepareView();
  static std::string getCurrentDate();
  // `millisecondsSinceEpoch` in the pattern of getCurrentDate().
  static std::string formatDate(double millisecondsSinceEpoch);

  std::shared_ptr<platform::ImageView> qrImageView;
  std::shared_ptr<platform::Label> generatedOnLabel;
  std::shared_ptr<platform::Label> hintLabel;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_QR_SNAP_VIEW_H_
