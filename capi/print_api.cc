// The C interface to print-ready codes.
#include <zelto/sdk/zelto_print.h>
#include <zelto/zelto.h>

#include "capi/support.h"

namespace zelto::capi {
namespace {

ZeltoDocumentFormat documentFormat(zelto_document_format format) {
  switch (enumValue(format)) {
    case ZELTO_DOCUMENT_PNG:
      return ZeltoDocumentFormat::png;
    case ZELTO_DOCUMENT_SVG:
      return ZeltoDocumentFormat::svg;
    case ZELTO_DOCUMENT_PDF:
      return ZeltoDocumentFormat::pdf;
  }
  throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                "format is not ZELTO_DOCUMENT_PNG, ZELTO_DOCUMENT_SVG or ZELTO_DOCUMENT_PDF"};
}

ZeltoPaperSize paperSize(zelto_paper_size paper) {
  switch (enumValue(paper)) {
    case ZELTO_PAPER_A6:
      return ZeltoPaperSize::a6;
    case ZELTO_PAPER_A5:
      return ZeltoPaperSize::a5;
    case ZELTO_PAPER_A4:
      return ZeltoPaperSize::a4;
  }
  throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                "paper is not ZELTO_PAPER_A6, ZELTO_PAPER_A5 or ZELTO_PAPER_A4"};
}

// Hands the document's bytes to the caller.
void handOver(const ZeltoDocument& document, zelto_status failure, unsigned char*& bytes,
              size_t& size) {
  if (!document.ok()) throw Failure{failure, document.error};
  bytes = copyBytes(document.bytes);
  size = document.bytes.size();
}

}  // namespace
}  // namespace zelto::capi

using namespace zelto;
using namespace zelto::capi;

extern "C" {

zelto_status zelto_render_qr(const char* payload, size_t length, zelto_document_format format,
                             int module_size, unsigned char** bytes, size_t* size, char** message) {
  return run(message, output(bytes, "bytes"), output(size, "size"),
             [&](unsigned char*& outBytes, size_t& outSize) {
               const ZeltoDocument document = ZeltoPrint::qrCode(
                   readText(payload, length, "payload"), documentFormat(format), module_size);
               handOver(document, ZELTO_ERROR_INVALID_ARGUMENT, outBytes, outSize);
               return Outcome{};
             });
}

zelto_status zelto_render_poster(const zelto_payment_request* request, zelto_document_format format,
                                 zelto_paper_size paper, unsigned char** bytes, size_t* size,
                                 char** message) {
  return run(message, output(bytes, "bytes"), output(size, "size"),
             [&](unsigned char*& outBytes, size_t& outSize) {
               requireMainThread();
               const ZeltoPaymentRequest& source = *use(request, "request").value;
               const ZeltoPaperSize page = paperSize(paper);
               if (format == ZELTO_DOCUMENT_PNG) {
                 throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "a poster is a PDF or SVG document"};
               }
               const ZeltoDocument document =
                   ZeltoPrint::poster(source, documentFormat(format), page);
               handOver(document, ZELTO_INVALID, outBytes, outSize);
               return Outcome{};
             });
}

}  // extern "C"
