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

}  // namespace
}  // namespace zelto
