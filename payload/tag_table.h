// The tag table: which two-digit tag carries which field, and under which property name the
// rest of the library refers to it. Tables are built once, on first use.
//
// Thread-safety: the tables are immutable after their thread-safe one-time initialisation.
#ifndef ZELTO_PAYLOAD_TAG_TABLE_H_
#define ZELTO_PAYLOAD_TAG_TABLE_H_

#include <zelto/payload/tag_lists.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace zelto {

using StringTable = std::map<std::string, std::string, std::less<>>;

// Tag to property name; 114 entries ("00" payloadFormatIndicator ... "6201" billID ... "99"
// tag99). A bijection.
const StringTable& tagKeyMap();

// Sub-tags of the language template "64" to their names: "00" languagePreference, "01"
// merchantNameAlternateLanguage, "02" merchantCityAlternateLanguage.
const StringTable& merchantInformationLanguageTemplateSubTagDictionary();

// One constant per tag table entry: the constant's name is the property name, its value the tag
// (QRCodeTag::billID == "6201").
struct QRCodeTag {
#define ZELTO_QRCODETAG_CONSTANT(name, tag) static constexpr std::string_view name = tag;
  ZELTO_TAG_TABLE(ZELTO_QRCODETAG_CONSTANT)
#undef ZELTO_QRCODETAG_CONSTANT
};

class ZeltoQRUtility {
 public:
  // Property name to tag: the inverse of tagKeyMap(), 114 entries.
  static const StringTable& keyTagMapping();
};

// The tag for `key` when `key` is a tag or a property name of the tag table.
const std::string* tagForKey(std::string_view key);

// The tag table as a constant array in tag order, for the encoders and the decoder, which look
// a key up for every data object: a position in it is found without allocating, and a tag
// without comparing strings.
struct TagTableEntry {
  std::string_view name;
  std::string_view tag;
};
inline constexpr TagTableEntry kTagTable[] = {
#define ZELTO_TAG_TABLE_ENTRY(name, tag) {#name, tag},
    ZELTO_TAG_TABLE(ZELTO_TAG_TABLE_ENTRY)
#undef ZELTO_TAG_TABLE_ENTRY
};
inline constexpr int kNotInTagTable = -1;

// Position in kTagTable of the entry whose tag is `tag` ("59", "6201"), or kNotInTagTable.
int tagTablePositionOfTag(std::string_view tag);
// Position in kTagTable of the entry whose property name is `name`, or kNotInTagTable.
int tagTablePositionOfName(std::string_view name);

}  // namespace zelto

#endif  // ZELTO_PAYLOAD_TAG_TABLE_H_
