// ZELTOQrImageCellView: the QR code of a payload, framed.
//
// updateQrCode() draws qrCodeTlv: its UTF-8 bytes in byte mode with error correction M, with a
// quiet zone of four modules, scaled by whole modules to the largest size that fits inside the
// 1-point border (colour borderColor, "#B8BACD") and centred on borderViewBackgroundColor, so
// module edges stay sharp. An absent payload changes nothing; a payload the symbol cannot hold
// leaves qrCodeImage absent and keeps the image shown. Drawing the payload already shown does
// not build the symbol again.
//
// Accessibility identifiers: "QR_Code_Image" (the image view), "QR_Code_Border".
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_QR_IMAGE_CELL_H_
#define ZELTO_SCREENS_CELLS_QR_IMAGE_CELL_H_

#include <zelto/base/color.h>
#include <zelto/base/image.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/view.h"

namespace zelto {

class ZELTOQrImageCellView : public platform::View {
 public:
  // Call once after make_shared: builds the border and image views.
  void setupView();
  void updateQrCode();
  // Lays the border and the code out for the current frame.
  void layoutQrCode();

  std::optional<platform::Image> qrCodeImage;
  std::shared_ptr<platform::ImageView> qrImageView;
  std::shared_ptr<platform::View> qrBorderView;
  std::optional<std::string> qrCodeTlv;
  double imagePadding = 0;
  double borderWidth = 1;
  std::string borderColor = "#B8BACD";
  platform::Color borderViewBackgroundColor = platform::Color::white();

 private:
  // The payload qrCodeImage holds.
  std::optional<std::string> drawnTlv_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_QR_IMAGE_CELL_H_
