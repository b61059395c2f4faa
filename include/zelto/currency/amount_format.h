// Amount entry and display for an explicit flow currency: the pure path under Utilities
// (sdk/utilities.h), which passes the session's active currency code.
//
// Forms of an amount (USD shown):
//   typed text      the digits the merchant typed; every other character is ignored
//   display text    "$12.34", as the currency formatter prints it
//   ISO components  ("USD", "12.34")
//   plain decimal   "12.34", the form of payment request fields and tag values
//
// Digit-by-digit entry (currencyForText): the digits of the whole text are read as a number of
// minor units, so typing 1, 2, 3, 4 in USD gives $0.01, $0.12, $1.23, $12.34, and deleting the
// last character of "$12.34" gives $1.23. In JPY the same keys give ¥1 to ¥1,234; in IQD
// 0.001 to 1.234. Digits are the ASCII digits. A text without digits, "" and an absent text all
// give the formatted zero and 0. Digit runs too long for a double (over 308 digits) also read as
// 0; up to 15 digits are exact.
//
// The formatter behind these functions, for callers inside the library that pick a locale of
// their own, is in currency/currency_formatter.h.
//
// Thread-safety: any thread.
#ifndef ZELTO_CURRENCY_AMOUNT_FORMAT_H_
#define ZELTO_CURRENCY_AMOUNT_FORMAT_H_

#include <zelto/export.h>

#include <optional>
#include <string>
#include <string_view>

namespace zelto {

struct ISOCurrencyComponents {
  std::string ISOCurrencyCode;  // "USD"; "" for an unknown code
  std::string formattedAmount;  // "1,234.50": the display text without symbol and outer spaces
  friend bool operator==(const ISOCurrencyComponents&, const ISOCurrencyComponents&) = default;
};

struct CurrencyText {
  std::string text;  // display text; "" when the formatter cannot format
  double amount = 0;
  friend bool operator==(const CurrencyText&, const CurrencyText&) = default;
};

namespace currency {

// `amount` formatted for the flow currency, without the formatter's symbol and trimmed of white
// space at both ends; the ISO code is that of `currencyCode`. ("", "") when the amount cannot be
// formatted (infinities, NaN).
ZELTO_EXPORT ISOCurrencyComponents isoCurrencyComponents(double amount,
                                                         std::string_view currencyCode,
                                                         std::string_view activeCurrencyCode);

// Digit-by-digit entry: the display text and the amount of the typed `text`.
ZELTO_EXPORT CurrencyText currencyForText(const std::optional<std::string>& text,
                                          std::string_view activeCurrencyCode);

// Display text to plain decimal string: removes the currency symbol, then the grouping
// separators, turns decimal separators into ".", and removes no-break spaces (U+00A0) and the
// invisible direction marks of right-to-left locales (U+200E, U+200F, U+061C). The symbol goes
// first because some symbols hold a separator ("NAf." on a device that groups with ".").
// "$1,234.56" is "1234.56"; on a device that groups with "." and separates decimals with ",",
// "1.234,56 €" is "1234.56". Nothing else is removed or checked.
ZELTO_EXPORT std::string plainDecimalString(std::string_view displayText,
                                            std::string_view activeCurrencyCode);

}  // namespace currency
}  // namespace zelto

#endif  // ZELTO_CURRENCY_AMOUNT_FORMAT_H_
