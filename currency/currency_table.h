// The library's built-in table of ISO 4217 currencies: 177 rows, alphabetical by alphabetic
// code except that "XUA" stands before "XTS". It is the edition with BYN present and BYR
// absent, still listing MRO, STD, VEF, HRK, CUC, SLL and ZWL. Both the currency record shown to
// the merchant (KitCurrencyData) and the validation map (ISOCountryCodes) are derived from it,
// so no row is written twice.
//
// Thread-safety: the table is a constant; any thread may read it.
#ifndef ZELTO_CURRENCY_CURRENCY_TABLE_H_
#define ZELTO_CURRENCY_CURRENCY_TABLE_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelto::currency {

struct CurrencyRow {
  std::string_view alphabeticCode;  // "AED"
  int numericCode;                  // 784; 8 for ALL (no leading zeros)
  std::string_view description;     // English name, UTF-8
};

// The 177 rows, in table order.
std::span<const CurrencyRow> currencyTable();

// The flow currency code for `given`: a three-digit numeric code as it is ("036"), or the
// numeric code of an alphabetic code in any case ("aud" -> "036"), for any currency a flow can
// have: those of the validators' ISO table and those of this table (SVC, BYN, ZWL), whether or
// not they have a locale. Nothing for anything else.
std::optional<std::string> flowCurrencyCode(std::string_view given);

}  // namespace zelto::currency

#endif  // ZELTO_CURRENCY_CURRENCY_TABLE_H_
