#include <zelto/sdk/zelto_print.h>

#include <optional>

#include "platform/print_document.h"
#include "platform/qr_code.h"
#include "screens/poster.h"

namespace zelto {
namespace {

platform::DocumentFormat documentFormat(ZeltoDocumentFormat format) {
  switch (format) {
    case ZeltoDocumentFormat::svg:
      return platform::DocumentFormat::kSvg;
    case ZeltoDocumentFormat::pdf:
      return platform::DocumentFormat::kPdf;
    case ZeltoDocumentFormat::png:
      break;
  }
  return platform::DocumentFormat::kPng;
}

platform::PaperSize paperSize(ZeltoPaperSize paper) {
  switch (paper) {
    case ZeltoPaperSize::a5:
      return platform::PaperSize::kA5;
    case ZeltoPaperSize::a4:
      return platform::PaperSize::kA4;
    case ZeltoPaperSize::a6:
      break;
  }
  return platform::PaperSize::kA6;
}

ZeltoDocument made(std::optional<std::string> bytes, std::string_view error) {
  if (!bytes) return {"", std::string(error)};
  return {std::move(*bytes), ""};
}

const char kTooLong[] = "the payload does not fit in a QR code (at most 2331 bytes)";

}  // namespace

ZeltoDocument ZeltoPrint::qrCode(std::string_view payload, ZeltoDocumentFormat format,
                                 int moduleSize) {
  if (moduleSize < 1 || moduleSize > platform::kMaxModuleSize) {
    return {"", "the scale must be from 1 to 100 pixels or points a module"};
  }
  return made(platform::qrDocument(payload, documentFormat(format), moduleSize), kTooLong);
}

ZeltoDocument ZeltoPrint::poster(const ZeltoPaymentRequest& request, ZeltoDocumentFormat format,
                                 ZeltoPaperSize paper) {
  if (format == ZeltoDocumentFormat::png) return {"", "a poster is a PDF or SVG document"};
  if (const auto error = request.validate()) return {"", error->description()};
  return made(
      platform::drawPoster(posterContent(request), documentFormat(format), paperSize(paper)),
      kTooLong);
}

}  // namespace zelto
