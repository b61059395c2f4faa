// zelto encode [--tags] [FILE|-]
#include <iostream>

#include "payload/tag_dictionary.h"
#include "payload/tlv_generator.h"
#include "tools/command.h"
#include "tools/request_input.h"

namespace zelto::tool {
namespace {

const CommandRegistrar registrar(
    "encode", "Print the QR payload of a payment request or of a tag dictionary",
    [](CLI::App& command) -> std::function<int()> {
      auto source = std::make_shared<std::string>("-");
      auto tags = std::make_shared<bool>(false);
      command.add_option("FILE", *source,
                         "JSON input; '-' or nothing reads standard input.\n"
                         "Without --tags: an object of ZeltoPaymentRequest properties with\n"
                         "string values, or null for absent; missing properties keep their\n"
                         "defaults (payloadFormatIndicator \"01\", the rest empty or absent).");
      command.add_flag("--tags", *tags,
                       "Read a tag dictionary instead: keys are tags (\"59\") or property names\n"
                       "(\"merchantName\"), values are strings, nested objects are templates");
      return [source, tags]() {
        const Input input = readInput(*source);
        if (!input.text) return fail(input.error);
        const JsonInput parsed = parseJson(*input.text, *source);
        if (!parsed.json) return fail(parsed.error);
        if (*tags) {
          const auto dictionary = tagDictionaryFromJson(*parsed.json);
          if (!dictionary) return fail("expected a JSON object of tags and values");
          std::cout << TLVGenerator::encodeDictToTLV(*dictionary) << '\n';
          return 0;
        }
        const RequestInput request = requestFromJson(*parsed.json);
        if (!request.request) return fail(request.error);
        std::cout << request.request->getTLV() << '\n';
        return 0;
      };
    });

}  // namespace
}  // namespace zelto::tool
