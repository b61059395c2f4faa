// The built-in demo merchant and refund that `zelto demo` and `zelto app` launch when given no
// request of their own.
#ifndef ZELTO_HOST_DEMO_MERCHANT_H_
#define ZELTO_HOST_DEMO_MERCHANT_H_

#include <zelto/payload/tag_dictionary.h>
#include <zelto/results/zelto_refund_payment_request.h>
#include <zelto/sdk/zelto_payment_request.h>

#include <memory>

namespace zelto::host {

// Zelto Demo Store, Mumbai: INR 250.00, bill INV-1001, terminal T01.
std::shared_ptr<ZeltoPaymentRequest> demoMerchant();
// The same store as the tag dictionary of its merchant QR payload, without amount.
TagDictionary demoMerchantTags();
// A refund of USD 25.50 to Asha Rao's card ending 4242.
std::shared_ptr<ZeltoRefundPaymentRequest> demoRefund();

}  // namespace zelto::host

#endif  // ZELTO_HOST_DEMO_MERCHANT_H_
