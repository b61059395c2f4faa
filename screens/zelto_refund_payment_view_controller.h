// ZELTORefundPaymentViewController: the only screen of the refund flow. It shows the card holder
// and the card's last four digits of the flow's stored request.
//
// Accessibility identifiers: "Card_Holder_Name", "Card_Last_Four".
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_ZELTO_REFUND_PAYMENT_VIEW_CONTROLLER_H_
#define ZELTO_SCREENS_ZELTO_REFUND_PAYMENT_VIEW_CONTROLLER_H_

#include "screens/zelto_base_view_controller.h"

namespace zelto {

class ZELTORefundPaymentViewController : public ZeltoBaseViewController {
 protected:
  void viewDidLoad() override;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_ZELTO_REFUND_PAYMENT_VIEW_CONTROLLER_H_
