// A payment request built from a tag dictionary and completed with amount and additional data,
// as `zelto encode --request-tags DICTIONARY --fields FIELDS` does. The input is the
// dictionary's JSON text, then optionally a NUL byte and the fields' JSON text. Checks the
// reader against nlohmann's, that fields other than the nine change nothing, that the
// payload is closed by a correct CRC, holds no control character and is the same when asked twice,
// and that the request's check runs.
#include <zelto/payload/tag_dictionary.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/json_fuzz_checks.h"
#include "payload/tag_dictionary_json.h"
#include "sdk/request_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const auto dictionaryJson = zelto::fuzz::readChecked(input.substr(0, split));
  if (!dictionaryJson) return 0;
  const zelto::TagDictionaryFromJson dictionary = zelto::tagDictionaryFromJson(*dictionaryJson);
  if (!dictionary.dictionary) return 0;
  const auto request = zelto::ZeltoPaymentRequest::withTagValueDictionary(*dictionary.dictionary);
  if (split != std::string_view::npos) {
    const auto fields = zelto::fuzz::readChecked(input.substr(split + 1));
    if (!fields) return 0;
    const std::string before = request->getTLV();
    const std::string error = zelto::applyAmountAndAdditionalData(*fields, *request);
    const bool refusedWhole =
        error.find("is not the amount") != std::string::npos || error == "expected a JSON object";
    if (refusedWhole && request->getTLV() != before) std::abort();
  }
  const std::string payload = request->getTLV();
  zelto::fuzz::checkPayload(payload);
  if (request->getTLV() != payload) std::abort();
  request->validate();
  return 0;
}
