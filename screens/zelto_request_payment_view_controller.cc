#include "screens/zelto_request_payment_view_controller.h"

#include "platform/resource_bundle.h"
#include "sdk/zelto_session.h"

namespace zelto {
namespace {

std::shared_ptr<platform::Label> addLabel(platform::View& parent, std::string identifier) {
  auto label = std::make_shared<platform::Label>();
  label->accessibilityIdentifier = std::move(identifier);
  parent.addSubview(label);
  return label;
}

}  // namespace

void ZELTORequestPaymentViewController::viewDidLoad() {
  ZeltoBaseViewController::viewDidLoad();
  navigationItem().title = platform::localizedString("REQUEST_PAYMENT_TITLE");
  auto& root = *view();
  root.backgroundColor = platform::Color::white();
  merchantNameLabel_ = addLabel(root, "Merchant_Name");
  merchantCityLabel_ = addLabel(root, "Merchant_City");
  payloadLabel_ = addLabel(root, "QR_Code_Payload");
}

void ZELTORequestPaymentViewController::viewDidAppear(bool animated) {
  ZeltoBaseViewController::viewDidAppear(animated);
  const auto& request = ZeltoSession::sharedSession().requestPaymentSession->request;
  if (!request) return;
  merchantNameLabel_->text = request->merchantName;
  merchantCityLabel_->text = request->cityName;
  qrCodeTlv_ = request->getTLV();
  payloadLabel_->text = *qrCodeTlv_;
}

}  // namespace zelto
