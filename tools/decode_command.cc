// zelto decode [PAYLOAD|-], zelto decode --lines [-j N] [FILE...]
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/tag_dictionary.h>

#include <iostream>
#include <nlohmann/json.hpp>

#include "batch/line_commands.h"
#include "host/inputs.h"
#include "payload/tag_dictionary_json.h"
#include "tools/command.h"
#include "tools/lines_option.h"
#include "tools/payload_input.h"

namespace zelto::tool {
namespace {

const CommandRegistrar registrar(
    "decode", "Decode a merchant QR payload and print its fields as JSON",
    [](CLI::App& command) -> std::function<int()> {
      auto payload = addPayloadArgument(command);
      auto lines = addLinesOptions(command, "a payload");
      command.footer(
          "Prints one JSON object: isTipAvailable, then every field the payload sets, under\n"
          "its property name (merchantName, zeltoMerchantPAN, additionalDataField, ...);\n"
          "templates are nested objects. Exit status 0.\n"
          "When the payload does not decode, prints {\"error\": \"<reason>\"} (invalidLength,\n"
          "repeatedTag or invalidTag) and exits with 1. Exit status 2 when standard input\n"
          "cannot be read.");
      return [payload, lines]() {
        if (lines->lines) return runLines(*payload, lines->jobs, batch::decodeLines);
        const host::Input input = readPayload(*payload);
        if (!input.text) return fail(input.error);
        ZeltoPayMerchantTLV record;
        nlohmann::ordered_json output = nlohmann::ordered_json::object();
        int status = 0;
        if (const auto error = record.decodeTLV(*input.text)) {
          output["error"] = caseName(*error);
          status = 1;
        } else {
          output["isTipAvailable"] = record.isTipAvailable;
          output.update(tagDictionaryToJson(record.presentProperties()));
        }
        std::cout << output.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
        return status;
      };
    });

}  // namespace
}  // namespace zelto::tool
