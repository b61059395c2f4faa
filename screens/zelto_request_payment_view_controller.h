// ZELTORequestPaymentViewController: the first screen of the request-payment flow. It shows the
// merchant's name and city and the QR payload of the flow's stored request, rebuilt each time
// the screen appears so that edits to the request show on return.
//
// Accessibility identifiers: "Merchant_Name", "Merchant_City", "QR_Code_Payload" (a label
// holding the payload text).
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_ZELTO_REQUEST_PAYMENT_VIEW_CONTROLLER_H_
#define ZELTO_SCREENS_ZELTO_REQUEST_PAYMENT_VIEW_CONTROLLER_H_

#include <memory>
#include <optional>
#include <string>

#include "platform/view.h"
#include "screens/zelto_base_view_controller.h"

namespace zelto {

class ZELTORequestPaymentViewController : public ZeltoBaseViewController {
 public:
  // The payload of the code on screen; absent until the screen has appeared with a stored
  // request. A refresh without a stored request keeps the previous payload.
  const std::optional<std::string>& qrCodeTlv() const { return qrCodeTlv_; }

 protected:
  void viewDidLoad() override;
  void viewDidAppear(bool animated) override;

 private:
  std::optional<std::string> qrCodeTlv_;
  std::shared_ptr<platform::Label> merchantNameLabel_;
  std::shared_ptr<platform::Label> merchantCityLabel_;
  std::shared_ptr<platform::Label> payloadLabel_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_ZELTO_REQUEST_PAYMENT_VIEW_CONTROLLER_H_
