// A host application in C++: runs one request-payment flow, then decodes and validates the
// flow's QR payload.
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/decode/qr_error.h>
#include <zelto/payload/tlv_generator.h>
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <cstdlib>
#include <iostream>
#include <memory>

int main() {
  auto request = std::make_shared<zelto::ZeltoPaymentRequest>(
      "01", "11", "4111111111111111", "Example Store", "5411", "Mumbai", "IN", "356", "", "", "",
      "400001", "", "", "", "");
  request->transactionAmount = "99.50";

  bool refused = false;
  zelto::ZeltoMerchantSDK::launchRequestPaymentFlow(
      request, [&](bool, std::shared_ptr<zelto::ZeltoRequestPaymentResponse>,
                   std::shared_ptr<zelto::ZeltoError> error) {
        refused = true;
        std::cerr << "request refused: " << (error ? error->description() : "") << '\n';
      });
  if (refused) return EXIT_FAILURE;
  // Timers and animations run on the library's main run loop; its default clock is manual, so
  // the window's slide completes at once.
  auto& loop = zelto::platform::RunLoop::main();
  loop.runFor(1);
  const std::string payload = request->getTLV();
  std::cout << "QR payload: " << payload << '\n';

  bool ended = false;
  zelto::ZeltoMerchantSDK::endZeltoFlow([&] { ended = true; });
  loop.runFor(1);
  std::cout << "Flow ended: " << (ended ? "yes" : "no") << '\n';

  zelto::ZeltoPayMerchantTLV record;
  if (const auto error = record.decodeTLV(payload)) {
    std::cerr << "payload does not decode: " << zelto::caseName(*error) << '\n';
    return EXIT_FAILURE;
  }
  std::cout << "Decoded merchant: " << record.merchantName.value_or("") << ", amount "
            << record.transactionAmount.value_or("") << '\n';
  const zelto::QRCodeError validation(zelto::TLVGenerator::tlvValidation(payload));
  std::cout << "Validation: " << validation.getJSONOutput() << '\n';
  return ended && validation.errorCodes.empty() ? EXIT_SUCCESS : EXIT_FAILURE;
}
