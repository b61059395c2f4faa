// zelto qr [PAYLOAD|-] [--format png|svg|pdf] [--scale N] [--out FILE]
// zelto poster --request FILE [--tags] [--size a6|a5|a4] --out FILE.pdf|FILE.svg
#include <zelto/sdk/zelto_print.h>

#include <fstream>
#include <iostream>
#include <map>

#include "host/inputs.h"
#include "sdk/request_json.h"
#include "tools/command.h"
#include "tools/payload_input.h"

namespace zelto::tool {
namespace {

const std::map<std::string, ZeltoDocumentFormat> kFormats = {
    {"png", ZeltoDocumentFormat::png},
    {"svg", ZeltoDocumentFormat::svg},
    {"pdf", ZeltoDocumentFormat::pdf},
};
const std::map<std::string, ZeltoPaperSize> kPapers = {
    {"a6", ZeltoPaperSize::a6},
    {"a5", ZeltoPaperSize::a5},
    {"a4", ZeltoPaperSize::a4},
};

// Writes the document to `path`, or to standard output for "" or "-".
int writeDocument(const ZeltoDocument& document, const std::string& path) {
  if (!document.ok()) return fail(document.error);
  if (path.empty() || path == "-") {
    std::cout.write(document.bytes.data(), static_cast<std::streamsize>(document.bytes.size()));
    std::cout.flush();
    return std::cout ? 0 : fail("cannot write to standard output");
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(document.bytes.data(), static_cast<std::streamsize>(document.bytes.size()));
  out.close();
  if (!out) return fail("cannot write " + path);
  std::cerr << "Wrote " << path << '\n';
  return 0;
}

const CommandRegistrar qrRegistrar(
    "qr", "Write the QR symbol of a payload alone as PNG, SVG or PDF, for print",
    [](CLI::App& command) -> std::function<int()> {
      auto payload = addPayloadArgument(command);
      auto format = std::make_shared<ZeltoDocumentFormat>(ZeltoDocumentFormat::png);
      auto scale = std::make_shared<int>(8);
      auto out = std::make_shared<std::string>();
      command.add_option("--format", *format, "png (the default), svg or pdf")
          ->transform(CLI::CheckedTransformer(kFormats, CLI::ignore_case));
      command
          .add_option("--scale", *scale,
                      "Pixels (PNG) or points (SVG, PDF) a module, 1 to 100; default 8")
          ->check(CLI::Range(1, 100));
      command.add_option("--out", *out, "The file to write; standard output when not given");
      return [payload, format, scale, out]() {
        const host::Input text = readPayload(*payload);
        if (!text.text) return fail(text.error);
        return writeDocument(ZeltoPrint::qrCode(*text.text, *format, *scale), *out);
      };
    });

const CommandRegistrar posterRegistrar(
    "poster", "Write a print-ready counter-stand card for a payment request (PDF or SVG)",
    [](CLI::App& command) -> std::function<int()> {
      auto source = std::make_shared<std::string>();
      auto tags = std::make_shared<bool>(false);
      auto paper = std::make_shared<ZeltoPaperSize>(ZeltoPaperSize::a6);
      auto out = std::make_shared<std::string>();
      command
          .add_option("--request", *source,
                      "The payment request as JSON ('-' for standard input), as for `encode`")
          ->required();
      addLanguageOption(command);
      command.add_flag("--tags", *tags, "The request is a tag dictionary, as for `encode --tags`");
      command.add_option("--size", *paper, "Paper size: a6 (the default), a5 or a4")
          ->transform(CLI::CheckedTransformer(kPapers, CLI::ignore_case));
      command
          .add_option("--out", *out,
                      "The file to write; its ending, .pdf or .svg, chooses the format")
          ->required();
      return [source, tags, paper, out]() {
        const std::string ending = out->size() > 4 ? out->substr(out->size() - 4) : "";
        if (ending != ".pdf" && ending != ".svg") {
          return fail("--out must end in .pdf or .svg");
        }
        const auto format = ending == ".pdf" ? ZeltoDocumentFormat::pdf : ZeltoDocumentFormat::svg;
        std::shared_ptr<ZeltoPaymentRequest> request;
        if (*tags) {
          TagDictionaryFromJson dictionary = host::readTagDictionaryInput(*source);
          if (!dictionary.dictionary) return fail(dictionary.error);
          request = ZeltoPaymentRequest::withTagValueDictionary(std::move(*dictionary.dictionary));
        } else {
          const host::JsonInput parsed = host::readJson(*source);
          if (!parsed.json) return fail(parsed.error);
          PaymentRequestFromJson read = paymentRequestFromJson(*parsed.json);
          if (!read.request) return fail(read.error);
          request = std::move(read.request);
        }
        return writeDocument(ZeltoPrint::poster(*request, format, *paper), *out);
      };
    });

}  // namespace
}  // namespace zelto::tool
