#include <zelto/results/zelto_refund_payment_request.h>

#include "base/text.h"
#include "currency/iso_country_codes.h"
#include "results/string_constants.h"

namespace zelto {
namespace {

std::shared_ptr<ZeltoError> failure(std::string_view message) {
  return std::make_shared<ZeltoError>(std::string(message));
}

}  // namespace

ZeltoRefundPaymentRequest::ZeltoRefundPaymentRequest()
    : currencyCode(BaseConstants::defaultTransactionCurrency) {}

ZeltoRefundPaymentRequest::ZeltoRefundPaymentRequest(std::string last4_,
                                                     std::string cardHolderName_,
                                                     std::string currencyCode_,
                                                     std::string refundAmount_)
    : last4(std::move(last4_)),
      cardHolderName(std::move(cardHolderName_)),
      currencyCode(std::move(currencyCode_)),
      refundAmount(std::move(refundAmount_)) {}

std::shared_ptr<ZeltoError> ZeltoRefundPaymentRequest::validate() const {
  using namespace StringConstants;
  if (last4.empty()) return failure(LAST_FOUR_DIGITS_CANNOT_BE_EMPTY);
  if (text::characterCount(last4) != 4) return failure(LAST_FOUR_DIGITS_MANDATORY);
  if (!text::isAllDecimalDigits(last4) || !text::parseInteger(last4)) {
    return failure(LAST_FOUR_SHOULD_BE_NUMERIC);
  }
  if (cardHolderName.empty() || text::findControlCharacter(cardHolderName)) {
    return failure(CARDHOLDER_INVALID);
  }
  if (currencyCode.empty()) return failure(CURRENCY_CODE_IS_NOT_PRESENT);
  if (text::characterCount(currencyCode) != 3) return failure(CURRENCY_CODE_INVALID_LENGTH);
  const auto code = text::parseInteger(currencyCode);
  if (!code) return failure(CURRENCY_CODE_INVALID_FORMAT);
  if (!ISOCountryCodes::availableISOCurrencies().contains(static_cast<int>(*code))) {
    return failure(CURRENCY_CODE_INVALID_ISO_FORMAT);
  }
  const auto amount = text::parseDouble(refundAmount);
  if (!amount || *amount <= 0) return failure(REFUND_AMOUNT_INVALID);
  return nullptr;
}

}  // namespace zelto
