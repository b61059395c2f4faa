#include <gtest/gtest.h>

#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

TEST(DemoCli, ShowsTheFlowThenEndsIt) {
  const auto demo = runCli({"demo"});
  EXPECT_EQ(demo.status, 0) << demo.err;
  EXPECT_EQ(demo.err, "");
  EXPECT_EQ(demo.out,
            "Demo merchant: Zelto Demo Store, Mumbai (IN)\n"
            "Window shown: yes\n"
            "Root screen: ZELTORequestPaymentViewController \"Request Payment\"\n"
            "QR payload: 000201010211021641111111111111115916Zelto Demo Store52045411"
            "6006Mumbai5802IN530335661064000015406250.0062190108INV-10010703T016304D7E4\n"
            "Flow ended: yes, window hidden: yes, host window key: yes\n");
}

}  // namespace
}  // namespace zelto::testing
