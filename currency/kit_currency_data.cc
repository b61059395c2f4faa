#include "currency/kit_currency_data.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <functional>
#include <limits>

#include "base/device_locale.h"
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

void KitCurrencyData::increaseCurrencyCount(std::string_view currencyCode) const {
  increaseCurrencyCount(currencyCode, platform::UserDefaults::standard());
}

void KitCurrencyData::increaseCurrencyCount(std::string_view currencyCode,
                                            platform::UserDefaults& store) const {
  std::map<std::string, std::int64_t> counts = store.integerDictionary(KAllSelectedCurrencies)
                                                   .value_or(std::map<std::string, std::int64_t>{});
  std::int64_t& count = counts[std::string(currencyCode)];
  if (count < std::numeric_limits<std::int64_t>::max()) ++count;
  store.set(KAllSelectedCurrencies, counts);
  store.set(KRecentCurrency, std::string(currencyCode));
}

}  // namespace zelto
