// CurrencyFormatter: the number formatter every amount display uses, built on ICU's currency
// style with half-up rounding.
//
// Which currency is shown follows the flow's currency code by one rule (localeForCurrency):
// "586" (PKR) and "834" (TZS) use the locale "en_US", "368" (IQD) uses "en_KW", any other code
// uses ZeltoLocaleUtility::localeFromISOCode, and a code without a locale uses the device
// locale. The comparisons are exact: "0586" is not "586". The symbol and the number of decimals
// come from that locale (en_US and en_IN: 2, en_JP: 0, en_KW: 3), so PKR is shown with "$" and
// IQD with "KWD", as the locale prints them; the currency grouping and decimal separators are
// the device locale's (base/device_locale.h). Digits are always the ASCII digits, which
// amount entry reads back.
//
// Creating an ICU formatter costs far more than formatting with one, so formatterFor() keeps
// each formatter it builds, keyed by the currency's locale and the device locale; a change of
// either takes effect on the next call. A formatter never changes after creation.
//
// Thread-safety: formatters are immutable and may be shared between threads; formatterFor() may
// be called from any thread.
#ifndef ZELTO_CURRENCY_CURRENCY_FORMATTER_H_
#define ZELTO_CURRENCY_CURRENCY_FORMATTER_H_

#include <unicode/uversion.h>
#include <zelto/currency/amount_format.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

U_NAMESPACE_BEGIN
class DecimalFormat;
U_NAMESPACE_END

namespace zelto::currency {

class CurrencyFormatter {
 public:
  // A formatter for the locale `currencyLocaleId` (absent: the device's) with the separators of
  // `deviceLocaleId`. Unknown locales fall back to ICU's root data.
  CurrencyFormatter(std::optional<std::string> currencyLocaleId, const std::string& deviceLocaleId);
  ~CurrencyFormatter();
  CurrencyFormatter(const CurrencyFormatter&) = delete;
  CurrencyFormatter& operator=(const CurrencyFormatter&) = delete;

  // `value` as currency text ("$1,234.50"); nullopt for infinities and NaN, which no amount is.
  std::optional<std::string> string(double value) const;

  // ISO 4217 alphabetic code of the currency shown ("USD" for en_US).
  const std::string& currencyCode() const { return currencyCode_; }
  const std::string& currencySymbol() const { return currencySymbol_; }
  const std::string& currencyGroupingSeparator() const { return groupingSeparator_; }
  const std::string& currencyDecimalSeparator() const { return decimalSeparator_; }
  int minimumFractionDigits() const { return minimumFractionDigits_; }

 private:
  std::unique_ptr<icu::DecimalFormat> format_;
  std::string currencyCode_;
  std::string currencySymbol_;
  std::string groupingSeparator_;
  std::string decimalSeparator_;
  int minimumFractionDigits_ = 0;
};

// The locale whose currency a flow in `activeCurrencyCode` shows, by the rule at the top.
std::optional<std::string> localeForCurrency(std::string_view activeCurrencyCode);

// The formatter for a flow in `activeCurrencyCode` on a device in `deviceLocaleId`; reused
// across calls. Never null.
std::shared_ptr<const CurrencyFormatter> formatterFor(std::string_view activeCurrencyCode,
                                                      std::string_view deviceLocaleId);

// The formatter of a flow in `activeCurrencyCode` on this device (device locale from the
// environment).
std::shared_ptr<const CurrencyFormatter> currencyFormatter(std::string_view activeCurrencyCode);

// Digit-by-digit entry and plain decimal strings (<zelto/currency/amount_format.h>) with a given
// formatter, for a currency and locale the caller chose.
CurrencyText currencyForText(const std::optional<std::string>& text,
                             const CurrencyFormatter& formatter);
std::string plainDecimalString(std::string_view displayText, const CurrencyFormatter& formatter);

}  // namespace zelto::currency

#endif  // ZELTO_CURRENCY_CURRENCY_FORMATTER_H_
