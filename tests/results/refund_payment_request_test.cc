#include <gtest/gtest.h>
#include <zelto/results/zelto_refund_payment_request.h>

#include "results/string_constants.h"

namespace zelto {
namespace {

std::string messageOf(const ZeltoRefundPaymentRequest& request) {
  const auto error = request.validate();
  if (!error) return "";
  EXPECT_EQ(error->errorCodes.size(), 1u);
  return error->errorCodes.front();
}

TEST(RefundRequestValidate, RulesInOrder) {
  using namespace StringConstants;
  struct Case {
    ZeltoRefundPaymentRequest request;
    std::string_view expected;
  };
  const Case cases[] = {
      {{}, LAST_FOUR_DIGITS_CANNOT_BE_EMPTY},
      {{"4242", "Jane", "356", "10.00"}, ""},
      {{"424", "Jane", "356", "1"}, LAST_FOUR_DIGITS_MANDATORY},
      {{"42424", "Jane", "356", "1"}, LAST_FOUR_DIGITS_MANDATORY},
      {{"42a2", "Jane", "356", "1"}, LAST_FOUR_SHOULD_BE_NUMERIC},
      {{"٤٢٤٢", "Jane", "356", "1"}, LAST_FOUR_SHOULD_BE_NUMERIC},  // digits, but no integer
      {{"4242", "", "", "1"}, CARDHOLDER_INVALID},
      {{"4242", "   ", "356", "1"}, ""},
      {{"4242", "Jane", "", "1"}, CURRENCY_CODE_IS_NOT_PRESENT},
      {{"4242", "Jane", "35", "1"}, CURRENCY_CODE_INVALID_LENGTH},
      {{"4242", "Jane", "3560", "1"}, CURRENCY_CODE_INVALID_LENGTH},
      {{"4242", "Jane", "USD", "1"}, CURRENCY_CODE_INVALID_FORMAT},
      {{"4242", "Jane", "000", "1"}, CURRENCY_CODE_INVALID_ISO_FORMAT},
      {{"4242", "Jane", "+36", "1"}, ""},  // one sign allowed; 36 is the Australian dollar
      {{"4242", "Jane", "-36", "1"}, CURRENCY_CODE_INVALID_ISO_FORMAT},
      {{"4242", "Jane", "933", "1"}, CURRENCY_CODE_INVALID_ISO_FORMAT},
      {{"4242", "Jane", "356", ""}, REFUND_AMOUNT_INVALID},
      {{"4242", "Jane", "356", "0"}, REFUND_AMOUNT_INVALID},
      {{"4242", "Jane", "356", "0.00"}, REFUND_AMOUNT_INVALID},
      {{"4242", "Jane", "356", "-5"}, REFUND_AMOUNT_INVALID},
      {{"4242", "Jane", "356", "abc"}, REFUND_AMOUNT_INVALID},
      {{"4242", "Jane", "356", "inf"}, REFUND_AMOUNT_INVALID},
      {{"4242", "Jane", "356", "0.01"}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(messageOf(c.request), c.expected)
        << c.request.last4 << "|" << c.request.cardHolderName << "|" << c.request.currencyCode
        << "|" << c.request.refundAmount;
  }
}

TEST(RefundRequest, TextsAreKeptAsGivenThroughValidate) {
  const ZeltoRefundPaymentRequest valid(" 4242", "Jane", "356", "1");
  EXPECT_EQ(messageOf(valid), StringConstants::LAST_FOUR_DIGITS_MANDATORY);
  EXPECT_EQ(valid.last4, " 4242");  // kept as given, never trimmed
}

}  // namespace
}  // namespace zelto
