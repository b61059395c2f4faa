#include <gtest/gtest.h>
#include <zelto/results/zelto_error.h>

#include "results/string_constants.h"

namespace zelto {
namespace {

TEST(ZeltoError, DescriptionEndsEveryCodeWithALineFeed) {
  EXPECT_EQ(ZeltoError(std::string(StringConstants::LAST_FOUR_SHOULD_BE_NUMERIC)).description(),
            "Card last 4 should be numeric\n");
  ZeltoError two(
      std::vector<std::string>{"Card last 4 should be numeric", "Refund amount is invalid"});
  EXPECT_EQ(two.description(), "Card last 4 should be numeric\nRefund amount is invalid\n");
  two.errorCodes.clear();
  EXPECT_EQ(two.description(), "");
}

TEST(Responses, RefundAmountDefaultsToZero) {
  EXPECT_EQ(ZeltoRefundPaymentResponse().refundAmount, "0.0");
  EXPECT_EQ(ZeltoRefundPaymentResponse("12.50").refundAmount, "12.50");
}

}  // namespace
}  // namespace zelto
