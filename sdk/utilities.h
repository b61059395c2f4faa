// Utilities: amount display that follows the active flow's currency. Every operation reads
// ZeltoSession::sharedSession().activeCurrencyCode() on each call, so a change of the flow or its
// currency takes effect on the next call, and passes it to the pure path in
// currency/amount_format.h (which tools and tests call with an explicit code).
//
// Texts are looked up in the library's string table (base/resource_bundle.h); a key without
// a text shows itself. The device's language and separators come from the environment
// (base/device_locale.h).
//
// Thread-safety: main thread only (the session is).
#ifndef ZELTO_SDK_UTILITIES_H_
#define ZELTO_SDK_UTILITIES_H_

#include <zelto/currency/amount_format.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "currency/currency_formatter.h"
#include "platform/styled_text.h"

namespace zelto {

class Utilities {
 public:
  // The formatter of the active flow's currency (see currency/currency_formatter.h).
  static std::shared_ptr<const currency::CurrencyFormatter> getCurrencyFormatter();

  // `amount` formatted for the active flow, without symbol, and the alphabetic code of
  // `currencyCode`: (PKR, 1,234.50) for 1234.5 and "586".
  static ISOCurrencyComponents getISOCurrencyComponents(double amount,
                                                        std::string_view currencyCode);

  // Digit-by-digit entry in the active flow's currency: typing 1, 2, 3, 4 in USD gives $0.01,
  // $0.12, $1.23, $12.34. "", an absent text and a text without digits give the formatted zero.
  static CurrencyText getCurrency(const std::optional<std::string>& forText);

  // The localised "Invalid Tip" for the label "Add Tip"; otherwise the localised
  // "Invalid [Default Label]" with the placeholder replaced by the localised `labelString`.
  static std::string localizedInvaildString(std::string_view labelString);

  // Without `currency`: the key "REVIEW_PAYMENT_PAY" for the label "Pay", the key
  // "REVIEW_PAYMENT_REFUND_TITLE" for "Refund", "" otherwise (keys, for the caller to localise).
  // With `currency`: the localised "Pay [currency] [amount]" or "Refund [currency] [amount]"
  // ("" for other labels) with "[currency]" replaced and, when `amount` is present, "[amount]"
  // replaced; an absent amount leaves "[amount]" in the text.
  static std::string localizedAmountString(std::string_view labelString,
                                           const std::optional<std::string>& amount,
                                           const std::optional<std::string>& currency);

  // An ISO code drawn small beside a large amount: `first` and one space (none when `first` is
  // empty) in the first font, then `second` in the second font; on a device whose language is
  // Arabic the order is reversed (`second`, a space when `first` is not empty, then `first`),
  // each part keeping its font. `fontSize` 0 means 24. With `isTotalAmount` the first font is
  // the system font of 16 points and the second the system font of `fontSize`; otherwise both
  // are the system font of half of `fontSize`. With `isUnderLine` every run is underlined and
  // uses the bold system font of half of `fontSize`.
  static platform::StyledText attributedString(std::string_view first, std::string_view second,
                                               bool isTotalAmount, bool isUnderLine,
                                               double fontSize);

  // The underlined amount text of a summary line: one run of `text`, underlined, in the system
  // font of `fontSize` (0 means 14), bold when `bold`.
  static platform::StyledText underLineAttributedString(std::string_view text, double fontSize,
                                                        bool bold);

  // True when the language in use (base/language.h) is written right to left (Arabic), where
  // buttons, text fields and labels align their content to the right.
  static bool alignsContentRight();
};

// The display text `text` as a plain decimal string in the active flow's currency: "$1,234.56"
// gives "1234.56" (see currency::plainDecimalString).
std::string amountLocaleSetup(std::string_view text);

}  // namespace zelto

#endif  // ZELTO_SDK_UTILITIES_H_
