#include "screens/cells/qr_image_cell.h"

#include <algorithm>
#include <cmath>

#include "platform/qr_code.h"
#include "platform/renderer.h"

namespace zelto {

void ZELTOQrImageCellView::setupView() {
  qrBorderView = std::make_shared<platform::View>();
  qrBorderView->accessibilityIdentifier = "QR_Code_Border";
  addSubview(qrBorderView);
  qrImageView = std::make_shared<platform::ImageView>();
  qrImageView->contentMode = platform::ContentMode::kScaleToFill;
  qrImageView->accessibilityIdentifier = "QR_Code_Image";
  qrBorderView->addSubview(qrImageView);
  layoutQrCode();
}

void ZELTOQrImageCellView::updateQrCode() {
  if (!qrCodeTlv) return;
  if (qrCodeImage && drawnTlv_ == qrCodeTlv) return;
  qrCodeImage = platform::qrCodeImage(*qrCodeTlv);
  if (!qrCodeImage) return;
  drawnTlv_ = qrCodeTlv;
  qrImageView->image = qrCodeImage;
  layoutQrCode();
}

void ZELTOQrImageCellView::layoutQrCode() {
  const auto size = frame().size();
  qrBorderView->setFrame(bounds());
  qrBorderView->borderWidth = borderWidth;
  qrBorderView->borderColor = platform::Color::fromHex(borderColor);
  qrBorderView->backgroundColor = borderViewBackgroundColor;
  const double inner =
      std::max(0.0, std::min(size.width, size.height) - 2 * (borderWidth + imagePadding));
  const double side =
      qrImageView->image && !qrImageView->image->empty()
          ? platform::wholeModuleSide(inner, *qrImageView->image, platform::kDefaultRenderScale)
          : inner;
  // On a whole pixel at 2x, so module edges fall between pixels.
  const auto pixelAligned = [](double offset) { return std::floor(offset * 2) / 2; };
  qrImageView->setFrame(
      {pixelAligned((size.width - side) / 2), pixelAligned((size.height - side) / 2), side, side});
}

}  // namespace zelto
