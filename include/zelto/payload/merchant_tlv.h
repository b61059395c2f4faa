// ZELTOMerchantTLV: one property per tag of the tag table, the record the decoder fills and
// the validator reads. 119 properties: isTipAvailable, then the list in payload/tag_lists.h.
// Every property starts absent (isTipAvailable false).
//
// zeltoMerchantID has a setter with a side effect: storing a present value that begins with
// "5" also stores it into masterCardPAN1, one that begins with "6" also into npciid1.
//
// setProperty() sets a property by name the way a key-value store does, running the same
// setter as a direct assignment. It returns false, changing nothing, when the name is not a
// property or the value's kind (string or map) does not match the property's.
//
// Thread-safety: a plain record; callers serialise access.
#ifndef ZELTO_PAYLOAD_MERCHANT_TLV_H_
#define ZELTO_PAYLOAD_MERCHANT_TLV_H_

#include <zelto/export.h>
#include <zelto/payload/tag_dictionary.h>
#include <zelto/payload/tag_lists.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelto {

class ZELTO_EXPORT ZELTOMerchantTLV {
 public:
  enum class Kind { kString, kMap };
  struct Property {
    std::string_view name;
    Kind kind;
  };

  ZELTOMerchantTLV() = default;
  virtual ~ZELTOMerchantTLV() = default;
  ZELTOMerchantTLV(const ZELTOMerchantTLV&) = default;
  ZELTOMerchantTLV& operator=(const ZELTOMerchantTLV&) = default;

  bool isTipAvailable = false;

#define ZELTO_TLV_STRING(name) std::optional<std::string> name;
#define ZELTO_TLV_MAP(name) std::optional<TagDictionary> name;
#define ZELTO_TLV_ID(name)
  ZELTO_MERCHANT_TLV_PROPERTIES(ZELTO_TLV_STRING, ZELTO_TLV_MAP, ZELTO_TLV_ID)
#undef ZELTO_TLV_STRING
#undef ZELTO_TLV_MAP
#undef ZELTO_TLV_ID

  const std::optional<std::string>& zeltoMerchantID() const { return zeltoMerchantID_; }
  void setZeltoMerchantID(std::optional<std::string> value);

  // Sets the property `key`; an absent `value` makes it absent.
  bool setProperty(std::string_view key, const std::optional<TagValue>& value);

  // The string or map property named `name`, or nullptr when there is none of that kind.
  const std::optional<std::string>* stringProperty(std::string_view name) const;
  const std::optional<TagDictionary>* mapProperty(std::string_view name) const;

  // The 118 optional properties in declaration order (isTipAvailable not included).
  static std::span<const Property> properties();

  // The properties that are set, under their names, in declaration order (isTipAvailable is not
  // included): text as strings, templates as nested dictionaries.
  TagDictionary presentProperties() const;

 private:
  std::optional<std::string> zeltoMerchantID_;
};

}  // namespace zelto

#endif  // ZELTO_PAYLOAD_MERCHANT_TLV_H_
