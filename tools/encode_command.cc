// zelto encode [--tags] [FILE|-], zelto encode [--tags] --lines [-j N] [FILE...]
#include <zelto/payload/tag_dictionary.h>
#include <zelto/payload/tlv_generator.h>

#include <iostream>
#include <optional>

#include "batch/line_commands.h"
#include "host/inputs.h"
#include "payload/tag_dictionary_json.h"
#include "sdk/request_json.h"
#include "tools/command.h"
#include "tools/lines_option.h"

namespace zelto::tool {
namespace {

const CommandRegistrar registrar(
    "encode", "Print the QR payload of a payment request or of a tag dictionary",
    [](CLI::App& command) -> std::function<int()> {
      auto sources = std::make_shared<std::vector<std::string>>();
      auto tags = std::make_shared<bool>(false);
      command.add_option("FILE", *sources,
                         "JSON input; '-' or nothing reads standard input (with --lines:\n"
                         "FILEs of one JSON object a line).\n"
                         "Without --tags: an object of ZeltoPaymentRequest properties with\n"
                         "string values, or null for absent; missing properties keep their\n"
                         "defaults (payloadFormatIndicator \"01\", the rest empty or absent).");
      auto requestTags = std::make_shared<bool>(false);
      auto fieldsSource = std::make_shared<std::string>();
      auto* tagsFlag = command.add_flag(
          "--tags", *tags,
          "Read a tag dictionary instead: keys are tags (\"59\") or property names\n"
          "(\"merchantName\"), values are strings, nested objects are templates");
      auto* requestFlag = command.add_flag(
          "--request-tags", *requestTags,
          "Read a tag dictionary and print the payload of a payment request built from\n"
          "it: the dictionary without its amount (54), additional data (62) and CRC (63),\n"
          "completed with the request's amount and additional data from --fields");
      command
          .add_option("--fields", *fieldsSource,
                      "With --request-tags: a JSON file ('-' for standard input) of the\n"
                      "request's transactionAmount, billID, mobileNumber, storeID,\n"
                      "loyaltyNumber, referenceID, consumerID, terminalID and purpose, e.g.\n"
                      "{\"transactionAmount\": \"10.00\", \"billID\": \"1234\"}")
          ->needs(requestFlag);
      tagsFlag->excludes(requestFlag);
      auto lines = addLinesOptions(command, "one JSON request (a tag dictionary with --tags)");
      lines->flag->excludes(requestFlag);
      return [sources, tags, requestTags, fieldsSource, lines]() {
        if (lines->lines) {
          return runLines(*sources, lines->jobs,
                          *tags ? batch::encodeTagLines : batch::encodeRequestLines);
        }
        if (sources->size() > 1) return fail("one input at a time (--lines reads several files)");
        const std::string source = sources->empty() ? "-" : sources->front();
        if (source == "-" && *fieldsSource == "-") {
          return fail("the dictionary and --fields cannot both come from standard input");
        }
        if (*requestTags) {
          TagDictionaryFromJson dictionary = host::readTagDictionaryInput(source);
          if (!dictionary.dictionary) return fail(dictionary.error);
          std::optional<nlohmann::ordered_json> fields;
          if (!fieldsSource->empty()) {
            host::JsonInput fieldsJson = host::readJson(*fieldsSource);
            if (!fieldsJson.json) return fail(fieldsJson.error);
            fields = std::move(fieldsJson.json);
          }
          const auto request =
              ZeltoPaymentRequest::withTagValueDictionary(std::move(*dictionary.dictionary));
          if (fields) {
            const std::string error = applyAmountAndAdditionalData(*fields, *request);
            if (!error.empty()) return fail("--fields: " + error);
          }
          std::cout << request->getTLV() << '\n';
          return 0;
        }
        if (*tags) {
          const TagDictionaryFromJson dictionary = host::readTagDictionaryInput(source);
          if (!dictionary.dictionary) return fail(dictionary.error);
          std::cout << TLVGenerator::encodeDictToTLV(*dictionary.dictionary) << '\n';
          return 0;
        }
        const host::JsonInput parsed = host::readJson(source);
        if (!parsed.json) return fail(parsed.error);
        const PaymentRequestFromJson request = paymentRequestFromJson(*parsed.json);
        if (!request.request) return fail(request.error);
        std::cout << request.request->getTLV() << '\n';
        return 0;
      };
    });

}  // namespace
}  // namespace zelto::tool
