// KitCurrencyData: the record of one currency shown to the merchant, and the holder of the
// library's 177-row currency table (currency/currency_table.h) with the recently used
// currencies.
//
// Recently used currencies persist in the user-defaults store (base/user_defaults.h) under
// two keys: KAllSelectedCurrencies, a map from numeric code (exactly as recorded) to the number
// of uses, and KRecentCurrency, the code of the latest use. getCurrencies() turns the table into
// the recent list (at most three: the last used one, then up to two of the most used others with
// a count of 1 or more) and all other currencies, sorted by their alphabetic code with the
// device locale's case-insensitive collation. Codes match as exact strings: a use recorded under
// "036" is not AUD's "36". Stored values of the wrong type are ignored and replaced by the next
// increaseCurrencyCount().
//
// What counts as a use: increaseCurrencyCount(), called by hosts and the `zelto currencies --use`
// command. Choosing a currency in the currency selection view records no use. A use is
// recorded in one step of the store (UserDefaults::change): concurrent uses, from threads or
// processes, are all counted. The store then holds at most one count per currency of the
// table: increaseCurrencyCount() writes back only the counts it understands (a code of the
// table, exactly as the table writes it, with an integer count of 1 or more) and drops the
// rest. A store that cannot be written is reported to the caller and on the debug console.
//
// Ties among equal counts keep table order, so the promoted currencies are deterministic.
//
// Thread-safety: the table and shared() are built once under thread-safe initialisation; records
// are plain objects used on the main thread.
#ifndef ZELTO_CURRENCY_KIT_CURRENCY_DATA_H_
#define ZELTO_CURRENCY_KIT_CURRENCY_DATA_H_

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/user_defaults.h"

namespace zelto {

// Keys of the persisted usage.
inline constexpr std::string_view KAllSelectedCurrencies = "ZELTOSelectedCurrencies";
inline constexpr std::string_view KRecentCurrency = "ZELTORecentCurrency";

// What increaseCurrencyCount() did: recorded the use, or says why not ("the use of currency 978
// was not recorded: cannot create /home/m/.config/ZeltoMerchantSDK: Not a directory").
struct CurrencyUse {
  bool recorded = false;
  std::string error;
};

class KitCurrencyData;
using KitCurrencyList = std::vector<std::shared_ptr<KitCurrencyData>>;
// A table row with exactly the keys "currencyCode", "currencyId" and "currencyDescription".
using CurrencyDictionary = std::map<std::string, std::string>;

class KitCurrencyData {
 public:
  // Empty codes and description, count 0, and the full table in currenciesDicArr.
  KitCurrencyData();

  // The shared instance, created on first use.
  static const std::shared_ptr<KitCurrencyData>& shared();

  // (recent list, all other currencies). The recent list is always present, possibly empty;
  // together the lists hold every row of currenciesDicArr once. Each element is a new record;
  // the receiver is not changed. Reads the standard store, or `store`.
  std::pair<std::optional<KitCurrencyList>, KitCurrencyList> getCurrencies() const;
  std::pair<std::optional<KitCurrencyList>, KitCurrencyList> getCurrencies(
      const platform::UserDefaults& store) const;

  // Records one use of `currencyCode`, the numeric code of a table row as the row writes it
  // ("36", not "036"): its count goes up by one and it becomes the last-used code. Writes the
  // standard store, or `store`. A code of no row is refused and nothing is written.
  CurrencyUse increaseCurrencyCount(std::string_view currencyCode) const;
  CurrencyUse increaseCurrencyCount(std::string_view currencyCode,
                                    platform::UserDefaults& store) const;

  // The table, shared by every record (it never changes).
  std::shared_ptr<const std::vector<CurrencyDictionary>> currenciesDicArr;
  std::string currencyId;           // alphabetic code, "AED"
  std::string currencyCode;         // numeric code without leading zeros, "784", "36", "8"
  std::string currencyDescription;  // English name
  std::int64_t count = 0;           // uses recorded for currencyCode
};

// The records of `list` whose alphabetic code or description contains `search`, compared in
// lower case (Unicode full lower-casing, independent of the locale), in list order. The numeric
// code is not searched. An empty `search` keeps every record.
KitCurrencyList filterCurrencies(const KitCurrencyList& list, std::string_view search);

// The record of the table row with the numeric ("840", "036") or alphabetic code, in any case
// ("usd"), with its recorded count; null when no row has that code. Reads the standard store.
std::shared_ptr<KitCurrencyData> findCurrency(std::string_view code);

}  // namespace zelto

#endif  // ZELTO_CURRENCY_KIT_CURRENCY_DATA_H_
