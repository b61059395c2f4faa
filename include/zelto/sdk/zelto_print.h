// Print-ready codes: the QR symbol of a payload alone, and a counter-stand card ("poster") for a
// payment request, for merchants who print their static code.
//
// ZeltoPrint::qrCode draws the symbol (byte mode, error correction M, a quiet zone of 4 modules
// on every side) on an exact module grid, `moduleSize` pixels a module in PNG (pure black and
// white, no blended edges) or points a module in SVG and PDF (vector shapes). It succeeds for
// payloads of up to 2331 bytes and module sizes from 1 to 100.
//
// ZeltoPrint::poster lays out an A6, A5 or A4 page as a PDF (fonts embedded) or SVG document:
// "Scan to pay", the merchant's name and city on a band in the configuration's background
// colour, the code at least 60 mm wide on A6 (wider on larger pages), the amount when the
// request has one, the network logos of the QR screen and a short hint. The request must pass
// its checks (ZeltoPaymentRequest::validate); otherwise the document's error is the check's
// messages.
//
// Errors are values: a document holds either its bytes or an error naming what is wrong.
// Thread-safety: qrCode on any thread; poster on the main thread (it reads the configuration).
#ifndef ZELTO_SDK_ZELTO_PRINT_H_
#define ZELTO_SDK_ZELTO_PRINT_H_

#include <zelto/export.h>
#include <zelto/sdk/zelto_payment_request.h>

#include <string>
#include <string_view>

namespace zelto {

enum class ZeltoDocumentFormat { png, svg, pdf };
enum class ZeltoPaperSize { a6, a5, a4 };

struct ZeltoDocument {
  std::string bytes;  // the whole file
  std::string error;  // "" when the document was made
  bool ok() const { return error.empty(); }
};

class ZELTO_EXPORT ZeltoPrint {
 public:
  static ZeltoDocument qrCode(std::string_view payload, ZeltoDocumentFormat format,
                              int moduleSize = 8);
  static ZeltoDocument poster(const ZeltoPaymentRequest& request, ZeltoDocumentFormat format,
                              ZeltoPaperSize paper = ZeltoPaperSize::a6);
};

}  // namespace zelto

#endif  // ZELTO_SDK_ZELTO_PRINT_H_
