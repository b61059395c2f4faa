// zelto demo: the main job, run with the built-in demo merchant.
#include <iostream>

#include "payload/zelto_payment_request.h"
#include "tools/command.h"

namespace zelto::tool {
namespace {

std::shared_ptr<ZeltoPaymentRequest> demoMerchant() {
  auto request = std::make_shared<ZeltoPaymentRequest>("01", "11", "4111111111111111",
                                                       "Zelto Demo Store", "5411", "Mumbai", "IN",
                                                       "356", "", "", "", "400001", "", "", "", "");
  request->transactionAmount = "250.00";
  request->billID = "INV-1001";
  request->terminalID = "T01";
  return request;
}

const CommandRegistrar registrar("demo", "Run the main job with the built-in demo merchant",
                                 [](CLI::App&) -> std::function<int()> {
                                   return []() {
                                     const auto request = demoMerchant();
                                     std::cout << "Demo merchant: " << request->merchantName << ", "
                                               << request->cityName << " (" << request->countryCode
                                               << ")\n";
                                     std::cout << "QR payload: " << request->getTLV() << '\n';
                                     return 0;
                                   };
                                 });

}  // namespace
}  // namespace zelto::tool
