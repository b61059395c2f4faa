#include <unicode/uchar.h>
#include <unicode/utf8.h>
#include <zelto/currency/amount_format.h>

#include <array>
#include <cmath>

#include "base/device_locale.h"
#include "base/text.h"
#include "currency/currency_formatter.h"
#include "currency/locale_utility.h"

namespace zelto::currency {
namespace {

constexpr std::string_view kNoBreakSpace = "\u00A0";
// Direction marks that right-to-left locales put around amounts (left-to-right mark,
// right-to-left mark, Arabic letter mark); they are invisible and no part of the number.
constexpr std::array<std::string_view, 3> kDirectionMarks = {"\u200E", "\u200F", "\u061C"};

void removeAll(std::string& text, std::string_view what) {
  if (what.empty()) return;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
    text.erase(at, what.size());
  }
}

void replaceAll(std::string& text, std::string_view what, std::string_view with) {
  if (what.empty() || what == with) return;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
    text.replace(at, what.size(), with);
    at += with.size();
  }
}

// `text` without Unicode white space (spaces of every width, line breaks) at both ends.
std::string_view trimmed(std::string_view text) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  int32_t length = static_cast<int32_t>(text.size());
  int32_t begin = 0;
  while (begin < length) {
    int32_t next = begin;
    UChar32 c;
    U8_NEXT(bytes, next, length, c);
    if (c < 0 || !u_isUWhiteSpace(c)) break;
    begin = next;
  }
  int32_t end = length;
  while (end > begin) {
    int32_t previous = end;
    UChar32 c;
    U8_PREV(bytes, begin, previous, c);
    if (c < 0 || !u_isUWhiteSpace(c)) break;
    end = previous;
  }
  return text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
}

ISOCurrencyComponents components(const CurrencyFormatter& formatter, double amount,
                                 std::string_view currencyCode) {
  std::optional<std::string> formatted = formatter.string(amount);
  if (!formatted) return {};
  removeAll(*formatted, formatter.currencySymbol());
  return {ZeltoLocaleUtility::getCurrencySymbol(currencyCode), std::string(trimmed(*formatted))};
}

}  // namespace

std::shared_ptr<const CurrencyFormatter> currencyFormatter(std::string_view activeCurrencyCode) {
  return formatterFor(activeCurrencyCode, platform::deviceLocaleIdentifier());
}

ISOCurrencyComponents isoCurrencyComponents(double amount, std::string_view currencyCode,
                                            std::string_view activeCurrencyCode) {
  return components(*currencyFormatter(activeCurrencyCode), amount, currencyCode);
}

CurrencyText currencyForText(const std::optional<std::string>& text,
                             std::string_view activeCurrencyCode) {
  return currencyForText(text, *currencyFormatter(activeCurrencyCode));
}

CurrencyText currencyForText(const std::optional<std::string>& text,
                             const CurrencyFormatter& formatter) {
  std::string digits;
  // "" reads the formatted zero and an absent text reads "0": both hold no digit but zeros.
  for (char c : text.value_or("0")) {
    if (c >= '0' && c <= '9') digits += c;
  }
  double minorUnits = text::parseDouble(digits).value_or(0);
  double value = minorUnits / std::pow(10.0, formatter.minimumFractionDigits());
  return {formatter.string(value).value_or(""), value};
}

std::string plainDecimalString(std::string_view displayText, std::string_view activeCurrencyCode) {
  return plainDecimalString(displayText, *currencyFormatter(activeCurrencyCode));
}

std::string plainDecimalString(std::string_view displayText, const CurrencyFormatter& formatter) {
  std::string result(displayText);
  // The symbol goes first: symbols such as "NAf." hold a separator of some devices.
  removeAll(result, formatter.currencySymbol());
  removeAll(result, formatter.currencyGroupingSeparator());
  replaceAll(result, formatter.currencyDecimalSeparator(), ".");
  removeAll(result, kNoBreakSpace);
  for (std::string_view mark : kDirectionMarks) removeAll(result, mark);
  return result;
}

}  // namespace zelto::currency
