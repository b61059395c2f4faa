// ZELTORequestPaymentViewController: the first screen of the request-payment flow, the
// merchant's QR code.
//
// One centred column on white: "Scan to pay" and a chevron, the QR code (ZELTOQrImageCellView,
// as wide as the screen less qrImageMargin on each side, smaller on short screens), the network
// logos (ZELTOSupportedNetwork), the merchant's name and city, and, once the payment details
// have been updated, the amount ("USD 12.34") and "with payment details". The details button is
// pinned to the bottom; the share button sits on the right of the navigation bar.
//
// Each time the screen appears it rebuilds the payload from the flow's stored request (in
// tag-dictionary mode the dictionary's base payload completed with the amount and additional
// data) and draws it; without a stored request the previous code stays. The screen edits
// nothing itself.
//
// Sharing (popAction): the share image is a QRSnapView holding a snapshot of this screen with
// the network list fully shown (expanded for the snapshot without animation, collapsed again
// afterwards) and without the details and "more" buttons; it goes to the platform share sheet with
// print, post to Weibo, copy to pasteboard, add to reading list and post to Vimeo excluded.
//
// Accessibility identifiers (for scripts):
//   "Scan_To_Pay_Label", "Arrow_Image", "QR_Code_Image", "QR_Code_Border",
//   "Supported_Networks", "Network_Logo_<n>", "Networks_More_Button" (more than six logos),
//   "Merchant_Name", "Merchant_City", "Amount_Label", "Payment_Detail_Label",
//   "Payment_Details_Button" (opens the details screen),
//   "Save_To_Gallery_Button" (share, on the navigation bar), "Back_Button" (ends the flow).
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_QR_SCREEN_H_
#define ZELTO_SCREENS_QR_SCREEN_H_

#include <zelto/base/image.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kit/kit_button.h"
#include "platform/controls.h"
#include "platform/view.h"
#include "screens/base_screen.h"
#include "screens/cells/qr_image_cell.h"
#include "screens/qr_snap_view.h"
#include "screens/supported_networks.h"

namespace zelto {

class ZELTORequestPaymentViewController : public ZeltoBaseViewController {
 public:
  // The payload of the code on screen; absent until the screen has appeared with a stored
  // request.
  const std::optional<std::string>& qrCodeTlv() const;

  void detailsButtonPressed();
  // The share button's action.
  void popAction();
  void addShareButtonItem(platform::NavigationItem& item);
  // The share image: the snap view drawn with its snapshot of this screen; absent when the
  // screen has not been laid out.
  std::optional<platform::Image> createShareQRImage();
  std::shared_ptr<QRSnapView> createQRSnapView();
  // The items to share: the share image alone.
  std::vector<platform::Image> makeSharingQRView();

  // Lays the column out for the view's current size.
  void layoutViews();

  std::shared_ptr<platform::Label> scanToPayLabel;
  std::shared_ptr<platform::ImageView> arrowImageView;
  std::shared_ptr<ZELTOQrImageCellView> qrImageCellView;
  std::shared_ptr<ZELTOSupportedNetwork> supportedNetwork;
  std::shared_ptr<platform::Label> merchantNameLabel;
  std::shared_ptr<platform::Label> merchantCityLabel;
  std::shared_ptr<platform::Label> amountLabel;
  std::shared_ptr<platform::Label> paymentDetailLabel;
  std::shared_ptr<KitPrimaryButton> paymentDetailButton;
  std::shared_ptr<QRSnapView> qrSnapView;
  double qrImageMargin = 40;
  double paymentDetailButtonHeight = 56;

 protected:
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;

 private:
  void refreshPayload();
  // The column, with the details button at the bottom or (for the share image) without it.
  void layoutColumn(bool withButton);
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_QR_SCREEN_H_
