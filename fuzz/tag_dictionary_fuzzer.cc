// A tag dictionary read from arbitrary JSON text. Checks the reader against nlohmann's, the
// direct reader (no tree) against the tree route, that the dictionary converts back to JSON and
// again to the same dictionary, and that its payload is closed by a correct CRC and holds no
// control character.
#include <zelto/payload/tag_dictionary.h>
#include <zelto/payload/tlv_generator.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/json_fuzz_checks.h"
#include "payload/tag_dictionary_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto json = zelto::fuzz::readChecked(text);
  const zelto::TagDictionaryFromJson direct = zelto::readTagDictionary(text);
  if (!json) {
    if (direct.dictionary || !direct.invalidJson) std::abort();
    return 0;
  }
  const zelto::TagDictionaryFromJson read = zelto::tagDictionaryFromJson(*json);
  if (direct.dictionary != read.dictionary || direct.error != read.error) std::abort();
  if (!read.dictionary) {
    if (read.error.empty() || json->is_object()) std::abort();
    return 0;
  }
  const auto again = zelto::tagDictionaryFromJson(zelto::tagDictionaryToJson(*read.dictionary));
  if (again.dictionary != read.dictionary) std::abort();
  zelto::fuzz::checkPayload(zelto::TLVGenerator::encodeDictToTLV(*read.dictionary));
  return 0;
}
