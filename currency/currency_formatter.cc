#include "currency/currency_formatter.h"

#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/locid.h>
#include <unicode/numfmt.h>

#include <cmath>
#include <map>
#include <mutex>
#include <utility>

#include "currency/locale_utility.h"

namespace zelto::currency {
namespace {

using Symbols = icu::DecimalFormatSymbols;

std::string utf8(const icu::UnicodeString& text) {
  std::string result;
  text.toUTF8String(result);
  return result;
}

// A currency-style, half-up formatter for `locale`; null only when ICU has no data at all.
std::unique_ptr<icu::DecimalFormat> makeCurrencyFormat(const icu::Locale& locale) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::NumberFormat> format(
      icu::NumberFormat::createCurrencyInstance(locale, status));
  auto* decimal = dynamic_cast<icu::DecimalFormat*>(format.get());
  if (U_FAILURE(status) || decimal == nullptr) return nullptr;
  format.release();
  decimal->setRoundingMode(icu::DecimalFormat::kRoundHalfUp);
  return std::unique_ptr<icu::DecimalFormat>(decimal);
}

}  // namespace

CurrencyFormatter::CurrencyFormatter(std::optional<std::string> currencyLocaleId,
                                     const std::string& deviceLocaleId) {
  icu::Locale device(deviceLocaleId.c_str());
  icu::Locale shown = currencyLocaleId ? icu::Locale(currencyLocaleId->c_str()) : device;
  // Amount entry reads back ASCII digits, so digits are always Latin, even where the locale
  // writes others (Arabic-Indic on an Arabic device).
  UErrorCode keywordStatus = U_ZERO_ERROR;
  shown.setKeywordValue("numbers", "latn", keywordStatus);
  format_ = makeCurrencyFormat(shown);
  if (!format_) format_ = makeCurrencyFormat(icu::Locale::getRoot());
  if (!format_) return;

  std::unique_ptr<icu::DecimalFormat> deviceFormat = makeCurrencyFormat(device);
  if (deviceFormat) {
    const Symbols* deviceSymbols = deviceFormat->getDecimalFormatSymbols();
    Symbols symbols(*format_->getDecimalFormatSymbols());
    symbols.setSymbol(Symbols::kMonetaryGroupingSeparatorSymbol,
                      deviceSymbols->getSymbol(Symbols::kMonetaryGroupingSeparatorSymbol));
    symbols.setSymbol(Symbols::kMonetarySeparatorSymbol,
                      deviceSymbols->getSymbol(Symbols::kMonetarySeparatorSymbol));
    format_->setDecimalFormatSymbols(symbols);
  }

  const Symbols* symbols = format_->getDecimalFormatSymbols();
  currencyCode_ = utf8(icu::UnicodeString(format_->getCurrency()));
  currencySymbol_ = utf8(symbols->getSymbol(Symbols::kCurrencySymbol));
  groupingSeparator_ = utf8(symbols->getSymbol(Symbols::kMonetaryGroupingSeparatorSymbol));
  decimalSeparator_ = utf8(symbols->getSymbol(Symbols::kMonetarySeparatorSymbol));
  minimumFractionDigits_ = format_->getMinimumFractionDigits();
}

CurrencyFormatter::~CurrencyFormatter() = default;

std::optional<std::string> CurrencyFormatter::string(double value) const {
  if (!format_ || !std::isfinite(value)) return std::nullopt;
  icu::UnicodeString text;
  format_->format(value, text);
  return utf8(text);
}

std::optional<std::string> localeForCurrency(std::string_view activeCurrencyCode) {
  if (activeCurrencyCode == "586" || activeCurrencyCode == "834") return "en_US";
  if (activeCurrencyCode == "368") return "en_KW";
  return ZeltoLocaleUtility::localeFromISOCode(activeCurrencyCode);
}

std::shared_ptr<const CurrencyFormatter> formatterFor(std::string_view activeCurrencyCode,
                                                      std::string_view deviceLocaleId) {
  // Keyed by what the formatter depends on, so the cache stays small whatever codes arrive.
  std::optional<std::string> currencyLocale = localeForCurrency(activeCurrencyCode);
  std::string key = currencyLocale.value_or("");
  key += '|';
  key += deviceLocaleId;

  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const CurrencyFormatter>, std::less<>> cache;
  std::lock_guard lock(mutex);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  auto formatter = std::make_shared<const CurrencyFormatter>(std::move(currencyLocale),
                                                             std::string(deviceLocaleId));
  cache.emplace(std::move(key), formatter);
  return formatter;
}

}  // namespace zelto::currency
