// zelto check [--tags] [FILE|-] and zelto check-refund [FILE|-]
#include <algorithm>
#include <array>
#include <iostream>

#include "payload/tag_dictionary.h"
#include "results/zelto_refund_payment_request.h"
#include "tools/command.h"
#include "tools/request_input.h"

namespace zelto::tool {
namespace {

// Prints the error's description (each message on a line) and returns 1, or returns 0.
int report(const std::shared_ptr<ZeltoError>& error) {
  if (!error) return 0;
  std::cout << error->description();
  return 1;
}

const CommandRegistrar checkRegistrar(
    "check", "Check a payment request; prints the first failing rule's message",
    [](CLI::App& command) -> std::function<int()> {
      auto source = std::make_shared<std::string>("-");
      auto tags = std::make_shared<bool>(false);
      command.add_option("FILE", *source,
                         "JSON object of ZeltoPaymentRequest properties, as 'zelto encode'\n"
                         "reads them; '-' or nothing reads standard input");
      command.add_flag("--tags", *tags,
                       "Read a tag dictionary instead and check the request built from it:\n"
                       "the field rules, then the payload validator's codes, one a line");
      command.footer(
          "Exit status: 0 and no output when the request is valid; 1 and the message when\n"
          "it is not; 2 when the input cannot be read.");
      return [source, tags]() {
        const JsonInput parsed = readJson(*source);
        if (!parsed.json) return fail(parsed.error);
        if (*tags) {
          const auto dictionary = tagDictionaryFromJson(*parsed.json);
          if (!dictionary) return fail("expected a JSON object of tags and values");
          return report(ZeltoPaymentRequest::withTagValueDictionary(*dictionary)->validate());
        }
        const RequestInput request = requestFromJson(*parsed.json);
        if (!request.request) return fail(request.error);
        return report(request.request->validate());
      };
    });

const CommandRegistrar refundRegistrar(
    "check-refund", "Check a refund request; prints the first failing rule's message",
    [](CLI::App& command) -> std::function<int()> {
      auto source = std::make_shared<std::string>("-");
      command.add_option("FILE", *source,
                         "JSON object with the strings last4, cardHolderName, currencyCode and\n"
                         "refundAmount; missing keys keep their defaults (currencyCode \"356\",\n"
                         "the others empty); '-' or nothing reads standard input");
      command.footer(
          "Exit status: 0 and no output when the request is valid; 1 and the message when\n"
          "it is not; 2 when the input cannot be read.");
      return [source]() {
        const JsonInput parsed = readJson(*source);
        if (!parsed.json) return fail(parsed.error);
        if (!parsed.json->is_object()) return fail("expected a JSON object of refund fields");
        ZeltoRefundPaymentRequest request;
        const std::array<std::pair<std::string_view, std::string*>, 4> fields = {{
            {"last4", &request.last4},
            {"cardHolderName", &request.cardHolderName},
            {"currencyCode", &request.currencyCode},
            {"refundAmount", &request.refundAmount},
        }};
        for (const auto& [key, value] : parsed.json->items()) {
          // clang before 16 cannot capture a structured binding.
          const std::string& name = key;
          auto field = std::find_if(fields.begin(), fields.end(),
                                    [&](const auto& entry) { return entry.first == name; });
          if (field == fields.end()) return fail("unknown refund field \"" + key + "\"");
          if (!value.is_string()) {
            return fail("\"" + key + "\" must be a string, not " + value.type_name());
          }
          *field->second = value.get<std::string>();
        }
        return report(request.validate());
      };
    });

}  // namespace
}  // namespace zelto::tool
