#include "currency/kit_currency_data.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <functional>
#include <limits>

#include "base/device_locale.h"
#include "base/text.h"
#include "currency/currency_table.h"

namespace zelto {
namespace {

const std::shared_ptr<const std::vector<CurrencyDictionary>>& tableDictionaries() {
  static const auto table = [] {
    auto rows = std::make_shared<std::vector<CurrencyDictionary>>();
    for (const currency::CurrencyRow& row : currency::currencyTable()) {
      rows->push_back({{"currencyCode", std::to_string(row.numericCode)},
                       {"currencyId", std::string(row.alphabeticCode)},
                       {"currencyDescription", std::string(row.description)}});
    }
    return std::shared_ptr<const std::vector<CurrencyDictionary>>(std::move(rows));
  }();
  return table;
}

std::string valueOf(const CurrencyDictionary& row, const std::string& key) {
  auto found = row.find(key);
  return found == row.end() ? std::string() : found->second;
}

// Orders alphabetic codes by the device locale's collation, ignoring case; plain byte order
// when the platform has no collator for the locale.
class CaseInsensitiveOrder {
 public:
  CaseInsensitiveOrder() {
    UErrorCode status = U_ZERO_ERROR;
    collator_.reset(icu::Collator::createInstance(
        icu::Locale(platform::deviceLocaleIdentifier().c_str()), status));
    if (U_FAILURE(status)) {
      collator_.reset();
    } else {
      collator_->setStrength(icu::Collator::SECONDARY);
    }
  }

  bool operator()(const std::string& a, const std::string& b) const {
    if (!collator_) return a < b;
    UErrorCode status = U_ZERO_ERROR;
    return collator_->compareUTF8(a, b, status) == UCOL_LESS;
  }

 private:
  std::shared_ptr<icu::Collator> collator_;
};

std::string lowerCase(std::string_view text) {
  std::string result;
  icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())))
      .toLower(icu::Locale::getRoot())
      .toUTF8String(result);
  return result;
}

// A count as increaseCurrencyCount() stores it: an integer from 1 up that fits 64 bits.
std::optional<std::int64_t> wellFormedCount(const nlohmann::json& count) {
  if (count.is_number_unsigned()) {
    const std::uint64_t value = count.get<std::uint64_t>();
    if (value >= 1 && value <= std::numeric_limits<std::int64_t>::max()) {
      return static_cast<std::int64_t>(value);
    }
    return std::nullopt;
  }
  if (count.is_number_integer() && count.get<std::int64_t>() >= 1) return count.get<std::int64_t>();
  return std::nullopt;
}

}  // namespace

KitCurrencyList filterCurrencies(const KitCurrencyList& list, std::string_view search) {
  if (search.empty()) return list;
  const std::string needle = lowerCase(search);
  KitCurrencyList result;
  for (const auto& record : list) {
    if (lowerCase(record->currencyId).find(needle) != std::string::npos ||
        lowerCase(record->currencyDescription).find(needle) != std::string::npos) {
      result.push_back(record);
    }
  }
  return result;
}

KitCurrencyData::KitCurrencyData() : currenciesDicArr(tableDictionaries()) {}

const std::shared_ptr<KitCurrencyData>& KitCurrencyData::shared() {
  static const std::shared_ptr<KitCurrencyData> instance = std::make_shared<KitCurrencyData>();
  return instance;
}

std::pair<std::optional<KitCurrencyList>, KitCurrencyList> KitCurrencyData::getCurrencies() const {
  return getCurrencies(platform::UserDefaults::standard());
}

std::pair<std::optional<KitCurrencyList>, KitCurrencyList> KitCurrencyData::getCurrencies(
    const platform::UserDefaults& store) const {
  std::optional<std::map<std::string, std::int64_t>> counts =
      store.integerDictionary(KAllSelectedCurrencies);
  std::optional<std::string> lastUsedCode = store.string(KRecentCurrency);

  KitCurrencyList working;
  std::shared_ptr<KitCurrencyData> lastUsed;
  if (currenciesDicArr) {
    for (const CurrencyDictionary& row : *currenciesDicArr) {
      auto record = std::make_shared<KitCurrencyData>();
      record->currencyCode = valueOf(row, "currencyCode");
      record->currencyId = valueOf(row, "currencyId");
      record->currencyDescription = valueOf(row, "currencyDescription");
      if (counts) {
        auto found = counts->find(record->currencyCode);
        if (found != counts->end()) record->count = found->second;
      }
      if (lastUsedCode && *lastUsedCode == record->currencyCode) {
        lastUsed = std::move(record);
      } else {
        working.push_back(std::move(record));
      }
    }
  }

  std::ranges::stable_sort(working, std::greater<>(), &KitCurrencyData::count);

  KitCurrencyList recent;
  if (lastUsed) recent.push_back(std::move(lastUsed));
  for (int promoted = 0; promoted < 2 && !working.empty() && working.front()->count >= 1;
       ++promoted) {
    recent.push_back(std::move(working.front()));
    working.erase(working.begin());
  }

  std::ranges::stable_sort(working, CaseInsensitiveOrder(), &KitCurrencyData::currencyId);
  return {std::move(recent), std::move(working)};
}

CurrencyUse KitCurrencyData::increaseCurrencyCount(std::string_view currencyCode) const {
  return increaseCurrencyCount(currencyCode, platform::UserDefaults::standard());
}

CurrencyUse KitCurrencyData::increaseCurrencyCount(std::string_view currencyCode,
                                                   platform::UserDefaults& store) const {
  const auto known = [&](std::string_view code) {
    return currenciesDicArr && std::ranges::any_of(*currenciesDicArr, [&](const auto& row) {
             return valueOf(row, "currencyCode") == code;
           });
  };
  if (!known(currencyCode)) {
    return {false, "\"" + std::string(currencyCode) +
                       "\" is not the numeric code of a currency of the table"};
  }
  // Under the store's lock: only the well-formed counts of known currencies are kept, so
  // whatever else the store held under this key is not written back.
  std::optional<std::string> failure = store.change([&](nlohmann::json& values) {
    nlohmann::json counts = nlohmann::json::object();
    auto stored = values.find(KAllSelectedCurrencies);
    if (stored != values.end() && stored->is_object()) {
      for (const auto& [code, count] : stored->items()) {
        if (std::optional<std::int64_t> uses = wellFormedCount(count); uses && known(code)) {
          counts[code] = *uses;
        }
      }
    }
    std::int64_t count = counts.value(std::string(currencyCode), std::int64_t{0});
    if (count < std::numeric_limits<std::int64_t>::max()) ++count;
    counts[std::string(currencyCode)] = count;
    values[std::string(KAllSelectedCurrencies)] = std::move(counts);
    values[std::string(KRecentCurrency)] = std::string(currencyCode);
  });
  if (failure)
    return {false,
            "the use of currency " + std::string(currencyCode) + " was not recorded: " + *failure};
  return {true, ""};
}

std::shared_ptr<KitCurrencyData> findCurrency(std::string_view code) {
  const std::optional<std::string> numeric = currency::flowCurrencyCode(code);
  if (!numeric) return nullptr;
  const std::optional<std::int64_t> number = text::parseInteger(*numeric);
  auto [recent, others] = KitCurrencyData::shared()->getCurrencies();
  others.insert(others.end(), recent->begin(), recent->end());
  for (auto& record : others) {
    if (text::parseInteger(record->currencyCode) == number) return std::move(record);
  }
  return nullptr;
}

}  // namespace zelto
