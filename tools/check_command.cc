// zelto check [--tags] [FILE|-] and zelto check-refund [FILE|-]
#include <zelto/payload/tag_dictionary.h>

#include <iostream>

#include "host/inputs.h"
#include "payload/tag_dictionary_json.h"
#include "sdk/request_json.h"
#include "tools/command.h"

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
        if (*tags) {
          TagDictionaryFromJson dictionary = host::readTagDictionaryInput(*source);
          if (!dictionary.dictionary) return fail(dictionary.error);
          return report(
              ZeltoPaymentRequest::withTagValueDictionary(std::move(*dictionary.dictionary))
                  ->validate());
        }
        const host::JsonInput parsed = host::readJson(*source);
        if (!parsed.json) return fail(parsed.error);
        const PaymentRequestFromJson request = paymentRequestFromJson(*parsed.json);
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
        const host::JsonInput parsed = host::readJson(*source);
        if (!parsed.json) return fail(parsed.error);
        const RefundRequestFromJson request = refundRequestFromJson(*parsed.json);
        if (!request.request) return fail(request.error);
        return report(request.request->validate());
      };
    });

}  // namespace
}  // namespace zelto::tool
