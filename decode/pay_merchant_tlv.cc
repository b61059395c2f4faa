#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/tag_lists.h>

#include <array>
#include <string>

#include "base/text.h"
#include "payload/tag_table.h"

namespace zelto {
namespace {

using StringMember = std::optional<std::string> ZELTOMerchantTLV::*;
using MapMember = std::optional<TagDictionary> ZELTOMerchantTLV::*;

// Where a property lives: a text member, a map member, or (neither) the merchant identifier,
// which is set through its setter.
struct Target {
  std::string_view name;
  StringMember text = nullptr;
  MapMember map = nullptr;
};

constexpr std::array kTargets = {
#define ZELTO_TARGET_STRING(name) Target{#name, &ZELTOMerchantTLV::name, nullptr},
#define ZELTO_TARGET_MAP(name) Target{#name, nullptr, &ZELTOMerchantTLV::name},
#define ZELTO_TARGET_ID(name) Target{#name, nullptr, nullptr},
    ZELTO_MERCHANT_TLV_PROPERTIES(ZELTO_TARGET_STRING, ZELTO_TARGET_MAP, ZELTO_TARGET_ID)
#undef ZELTO_TARGET_STRING
#undef ZELTO_TARGET_MAP
#undef ZELTO_TARGET_ID
};

constexpr int twoDigitNumber(std::string_view tag) {
  if (tag.size() != 2 || tag[0] < '0' || tag[0] > '9' || tag[1] < '0' || tag[1] > '9') return -1;
  return (tag[0] - '0') * 10 + (tag[1] - '0');
}

// The property the tag table names for each two-digit tag, and for each sub-tag of "62": every
// tag of the table is one or the other. Decoding stores a dozen elements per payload, so the
// tables are built at compile time.
struct TagTargets {
  std::array<const Target*, 100> topLevel{};
  std::array<const Target*, 100> additionalData{};
};

constexpr TagTargets kTagTargets = [] {
  TagTargets built;
  for (const TagTableEntry& entry : kTagTable) {
    const Target* target = nullptr;
    for (const Target& candidate : kTargets) {
      if (candidate.name == entry.name) target = &candidate;
    }
    if (entry.tag.size() == 2) built.topLevel[twoDigitNumber(entry.tag)] = target;
    if (entry.tag.size() == 4) built.additionalData[twoDigitNumber(entry.tag.substr(2))] = target;
  }
  return built;
}();

const Target* additionalDataTarget(std::string_view subtag) {
  const int n = twoDigitNumber(subtag);
  return n >= 0 ? kTagTargets.additionalData[n] : nullptr;
}

// A tag of the payload, or a full sub-field tag of the table ("6201") given directly.
const Target* topLevelTarget(std::string_view tag) {
  const int n = twoDigitNumber(tag);
  if (n >= 0) return kTagTargets.topLevel[n];
  return tag.size() == 4 && tag.starts_with("62") ? additionalDataTarget(tag.substr(2)) : nullptr;
}

bool isTipIndicator(std::string_view value) {
  return value == "01" || value == "02" || value == "03";
}

void assignText(std::optional<std::string>& slot, std::string_view value) {
  if (slot) {
    slot->assign(value);
  } else {
    slot.emplace(value);
  }
}

}  // namespace

std::optional<PayMerchantValidTLV00> payMerchantValidTLV00(std::string_view rawValue) {
  if (rawValue.size() != 1) return std::nullopt;
  const char c = rawValue[0];
  if (c >= '0' && c <= '9') return static_cast<PayMerchantValidTLV00>(c - '0');
  if (c == 'A') return PayMerchantValidTLV00::ConvenienceFeeAmount;
  if (c == 'B') return PayMerchantValidTLV00::ConvenienceFeePercentage;
  return std::nullopt;
}

std::string_view rawValue(PayMerchantValidTLV00 tag) {
  static constexpr std::string_view kRawValues[] = {"0", "1", "2", "3", "4", "5",
                                                    "6", "7", "8", "9", "A", "B"};
  return kRawValues[static_cast<int>(tag)];
}

bool ZeltoPayMerchantTLV::assignTLV00(std::string_view tag, int /*length*/,
                                      std::string_view value) {
  std::optional<PayMerchantValidTLV00> known;
  if (tag.size() == 1) {
    const char c = tag[0];
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    known = payMerchantValidTLV00(std::string_view(&upper, 1));
  }
  if (!known) return false;
  switch (*known) {
    case PayMerchantValidTLV00::MerchantID:
      setZeltoMerchantID(std::string(value));
      break;
    case PayMerchantValidTLV00::MerchantName:
      assignText(merchantName, value);
      break;
    case PayMerchantValidTLV00::MerchantCategoryCode:
      assignText(merchantCategoryCode, value);
      break;
    case PayMerchantValidTLV00::CityName:
      assignText(cityName, value);
      break;
    case PayMerchantValidTLV00::CountryCode:
      assignText(countryCode, value);
      break;
    case PayMerchantValidTLV00::CurrencyCode:
      assignText(currencyCode, value);
      break;
    case PayMerchantValidTLV00::TransactionAmount:
      assignText(transactionAmount, value);
      break;
    case PayMerchantValidTLV00::PrimaryID:
      assignText(primaryID, value);
      break;
    case PayMerchantValidTLV00::SecondaryID:
      assignText(secondaryID, value);
      break;
    case PayMerchantValidTLV00::TipAndFeeIndicator:
      isTipAvailable = isTipIndicator(value);
      assignText(tipAndFeeIndicator, value);
      break;
    case PayMerchantValidTLV00::ConvenienceFeeAmount:
      assignText(convenienceFeeAmount, value);
      break;
    case PayMerchantValidTLV00::ConvenienceFeePercentage:
      assignText(convenienceFeePercentage, value);
      break;
  }
  return true;
}

bool ZeltoPayMerchantTLV::assignTLV01(std::string_view tag, std::optional<std::string_view> subtag,
                                      int /*length*/, std::string_view value,
                                      std::optional<TagDictionary> valueDictionary) {
  const Target* target = nullptr;
  if (tag.size() == 2 && tag[0] == '6' && tag[1] == '2') {
    if (subtag) {
      target = additionalDataTarget(*subtag);
      if (target == nullptr) {
        const auto n = text::parseInteger(*subtag);
        return n && *n >= 15 && *n <= 99;
      }
    } else if (valueDictionary) {
      additionalDataFieldTemplate = std::move(*valueDictionary);
      return true;
    } else {
      if (value.empty()) return false;
      assignText(additionalDataField, value);
      return true;
    }
  } else {
    target = topLevelTarget(tag);
    if (target == nullptr) return false;
  }

  if (target->map != nullptr) {
    if (!valueDictionary) return false;
    this->*(target->map) = std::move(*valueDictionary);
  } else if (valueDictionary) {
    return false;
  } else if (target->text != nullptr) {
    assignText(this->*(target->text), value);
  } else {
    setZeltoMerchantID(std::string(value));
    zeltoMerchantPAN = zeltoMerchantID();
  }
  if (tag.size() == 2 && tag[0] == '5' && tag[1] == '5') isTipAvailable = isTipIndicator(value);
  return true;
}

}  // namespace zelto
