#include "screens/zelto_refund_payment_view_controller.h"

#include "platform/resource_bundle.h"
#include "sdk/zelto_session.h"

namespace zelto {

void ZELTORefundPaymentViewController::viewDidLoad() {
  ZeltoBaseViewController::viewDidLoad();
  navigationItem().title = platform::localizedString("REVIEW_PAYMENT_REFUND_TITLE");
  const auto& request = *ZeltoSession::sharedSession().refundPaymentSession->request;
  auto holder = std::make_shared<platform::Label>();
  holder->accessibilityIdentifier = "Card_Holder_Name";
  holder->text = request.cardHolderName;
  view()->addSubview(holder);
  auto card = std::make_shared<platform::Label>();
  card->accessibilityIdentifier = "Card_Last_Four";
  card->text = "Orvan ..." + request.last4;
  view()->addSubview(card);
}

}  // namespace zelto
