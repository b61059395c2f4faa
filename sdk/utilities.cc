#include "sdk/utilities.h"

#include "base/device_locale.h"
#include "base/language.h"
#include "base/resource_bundle.h"
#include "currency/currency_constants.h"
#include "currency/currency_formatter.h"
#include "sdk/session.h"

namespace zelto {
namespace {

namespace keys = StringConstants;

constexpr double kDefaultFontSize = 24;
constexpr double kTotalAmountCodeFontSize = 16;
constexpr double kDefaultUnderlineFontSize = 14;

std::string activeCurrencyCode() { return ZeltoSession::sharedSession().activeCurrencyCode(); }

void replaceAll(std::string& text, std::string_view what, std::string_view with) {
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
    text.replace(at, what.size(), with);
    at += with.size();
  }
}

}  // namespace

std::shared_ptr<const currency::CurrencyFormatter> Utilities::getCurrencyFormatter() {
  return currency::currencyFormatter(activeCurrencyCode());
}

ISOCurrencyComponents Utilities::getISOCurrencyComponents(double amount,
                                                          std::string_view currencyCode) {
  return currency::isoCurrencyComponents(amount, currencyCode, activeCurrencyCode());
}

CurrencyText Utilities::getCurrency(const std::optional<std::string>& forText) {
  return currency::currencyForText(forText, activeCurrencyCode());
}

std::string Utilities::localizedInvaildString(std::string_view labelString) {
  if (labelString == keys::REVIEW_PAYMENT_TIPS) return platform::localizedString(keys::INVALID_TIP);
  std::string text = platform::localizedString(keys::INVALID_DEFAULT_LABEL);
  replaceAll(text, keys::DEFAULT_LABEL_PLACEHOLDER, platform::localizedString(labelString));
  return text;
}

std::string Utilities::localizedAmountString(std::string_view labelString,
                                             const std::optional<std::string>& amount,
                                             const std::optional<std::string>& currency) {
  const bool pay = labelString == keys::kPay;
  const bool refund = labelString == keys::kRefund;
  if (!currency) {
    if (pay) return std::string(keys::REVIEW_PAYMENT_PAY);
    if (refund) return std::string(keys::REVIEW_PAYMENT_REFUND_TITLE);
    return "";
  }
  if (!pay && !refund) return "";
  std::string text =
      platform::localizedString(pay ? keys::PAY_CURRENCY_AMOUNT : keys::REFUND_CURRENCY_AMOUNT);
  replaceAll(text, keys::CURRENCY_PLACEHOLDER, *currency);
  if (amount) replaceAll(text, keys::AMOUNT_PLACEHOLDER, *amount);
  return text;
}

platform::StyledText Utilities::attributedString(std::string_view first, std::string_view second,
                                                 bool isTotalAmount, bool isUnderLine,
                                                 double fontSize) {
  const double size = fontSize == 0 ? kDefaultFontSize : fontSize;
  platform::Font firstFont =
      platform::Font::systemFont(isTotalAmount ? kTotalAmountCodeFontSize : size / 2);
  platform::Font secondFont = platform::Font::systemFont(isTotalAmount ? size : size / 2);
  if (isUnderLine) firstFont = secondFont = platform::Font::boldSystemFont(size / 2);

  const std::string space = first.empty() ? "" : " ";
  platform::TextRun firstRun{std::string(first), firstFont, std::nullopt, isUnderLine};
  platform::TextRun secondRun{std::string(second), secondFont, std::nullopt, isUnderLine};
  platform::StyledText styled;
  if (alignsContentRight()) {
    secondRun.text += space;
    styled.runs = {std::move(secondRun), std::move(firstRun)};
  } else {
    firstRun.text += space;
    styled.runs = {std::move(firstRun), std::move(secondRun)};
  }
  return styled;
}

platform::StyledText Utilities::underLineAttributedString(std::string_view text, double fontSize,
                                                          bool bold) {
  const double size = fontSize == 0 ? kDefaultUnderlineFontSize : fontSize;
  platform::Font font =
      bold ? platform::Font::boldSystemFont(size) : platform::Font::systemFont(size);
  return {{platform::TextRun{std::string(text), font, std::nullopt, true}}};
}

bool Utilities::alignsContentRight() {
  return platform::isRightToLeft(platform::currentLanguage());
}

std::string amountLocaleSetup(std::string_view text) {
  return currency::plainDecimalString(text, activeCurrencyCode());
}

}  // namespace zelto
