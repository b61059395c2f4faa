#include <zelto/payload/merchant_tlv.h>

#include <array>
#include <unordered_map>
#include <variant>

namespace zelto {
namespace {

using StringMember = std::optional<std::string> ZELTOMerchantTLV::*;
using MapMember = std::optional<TagDictionary> ZELTOMerchantTLV::*;
struct MerchantIdMember {};
using Member = std::variant<StringMember, MapMember, MerchantIdMember>;

struct PropertyEntry {
  ZELTOMerchantTLV::Property property;
  Member member;
};

const std::array kPropertyEntries = {
#define ZELTO_TLV_STRING(name) \
  PropertyEntry{{#name, ZELTOMerchantTLV::Kind::kString}, Member{&ZELTOMerchantTLV::name}},
#define ZELTO_TLV_MAP(name) \
  PropertyEntry{{#name, ZELTOMerchantTLV::Kind::kMap}, Member{&ZELTOMerchantTLV::name}},
#define ZELTO_TLV_ID(name) \
  PropertyEntry{{#name, ZELTOMerchantTLV::Kind::kString}, Member{MerchantIdMember{}}},
    ZELTO_MERCHANT_TLV_PROPERTIES(ZELTO_TLV_STRING, ZELTO_TLV_MAP, ZELTO_TLV_ID)
#undef ZELTO_TLV_STRING
#undef ZELTO_TLV_MAP
#undef ZELTO_TLV_ID
};

const PropertyEntry* findEntry(std::string_view name) {
  static const auto index = [] {
    std::unordered_map<std::string_view, const PropertyEntry*> map;
    for (const auto& entry : kPropertyEntries) map.emplace(entry.property.name, &entry);
    return map;
  }();
  auto it = index.find(name);
  return it == index.end() ? nullptr : it->second;
}

const std::array<ZELTOMerchantTLV::Property, kPropertyEntries.size()> kProperties = [] {
  std::array<ZELTOMerchantTLV::Property, kPropertyEntries.size()> list{};
  for (std::size_t i = 0; i < kPropertyEntries.size(); ++i) list[i] = kPropertyEntries[i].property;
  return list;
}();

}  // namespace

void ZELTOMerchantTLV::setZeltoMerchantID(std::optional<std::string> value) {
  zeltoMerchantID_ = std::move(value);
  if (!zeltoMerchantID_) return;
  if (zeltoMerchantID_->starts_with('5')) masterCardPAN1 = zeltoMerchantID_;
  if (zeltoMerchantID_->starts_with('6')) npciid1 = zeltoMerchantID_;
}

bool ZELTOMerchantTLV::setProperty(std::string_view key, const std::optional<TagValue>& value) {
  const PropertyEntry* entry = findEntry(key);
  if (entry == nullptr) return false;
  const std::string* text = value ? value->string() : nullptr;
  const TagDictionary* map = value ? value->dictionary() : nullptr;
  if (value && entry->property.kind == Kind::kString && text == nullptr) return false;
  if (value && entry->property.kind == Kind::kMap && map == nullptr) return false;
  if (std::holds_alternative<MerchantIdMember>(entry->member)) {
    setZeltoMerchantID(text ? std::optional<std::string>(*text) : std::nullopt);
  } else if (const auto* member = std::get_if<StringMember>(&entry->member)) {
    this->*(*member) = text ? std::optional<std::string>(*text) : std::nullopt;
  } else {
    this->*std::get<MapMember>(entry->member) =
        map ? std::optional<TagDictionary>(*map) : std::nullopt;
  }
  return true;
}

const std::optional<std::string>* ZELTOMerchantTLV::stringProperty(std::string_view name) const {
  const PropertyEntry* entry = findEntry(name);
  if (entry == nullptr) return nullptr;
  if (std::holds_alternative<MerchantIdMember>(entry->member)) return &zeltoMerchantID_;
  const auto* member = std::get_if<StringMember>(&entry->member);
  return member ? &(this->*(*member)) : nullptr;
}

const std::optional<TagDictionary>* ZELTOMerchantTLV::mapProperty(std::string_view name) const {
  const PropertyEntry* entry = findEntry(name);
  if (entry == nullptr) return nullptr;
  const auto* member = std::get_if<MapMember>(&entry->member);
  return member ? &(this->*(*member)) : nullptr;
}

std::span<const ZELTOMerchantTLV::Property> ZELTOMerchantTLV::properties() { return kProperties; }

TagDictionary ZELTOMerchantTLV::presentProperties() const {
  TagDictionary present;
  // Straight through the members: looking each of the 118 names up would cost more than the
  // decoding that filled them.
  for (const auto& entry : kPropertyEntries) {
    const std::string_view name = entry.property.name;
    if (const auto* member = std::get_if<StringMember>(&entry.member)) {
      if (const auto& text = this->*(*member)) present.set(std::string(name), *text);
    } else if (const auto* map = std::get_if<MapMember>(&entry.member)) {
      if (const auto& dictionary = this->*(*map)) present.set(std::string(name), *dictionary);
    } else if (zeltoMerchantID_) {
      present.set(std::string(name), *zeltoMerchantID_);
    }
  }
  return present;
}

}  // namespace zelto
