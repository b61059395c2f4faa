#include "host/demo_merchant.h"

namespace zelto::host {

std::shared_ptr<ZeltoPaymentRequest> demoMerchant() {
  auto request = std::make_shared<ZeltoPaymentRequest>("01", "11", "4111111111111111",
                                                       "Zelto Demo Store", "5411", "Mumbai", "IN",
                                                       "356", "", "", "", "400001", "", "", "", "");
  request->transactionAmount = "250.00";
  request->billID = "INV-1001";
  request->terminalID = "T01";
  return request;
}

TagDictionary demoMerchantTags() {
  return {{"00", "01"},    {"01", "11"}, {"02", "4111111111111111"}, {"52", "5411"},
          {"53", "356"},   {"58", "IN"}, {"59", "Zelto Demo Store"}, {"60", "Mumbai"},
          {"61", "400001"}};
}

std::shared_ptr<ZeltoRefundPaymentRequest> demoRefund() {
  return std::make_shared<ZeltoRefundPaymentRequest>("4242", "Asha Rao", "840", "25.50");
}

}  // namespace zelto::host
