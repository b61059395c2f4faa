// Screens, cells and the form hold one another weakly where they point back: a thousand flows
// leave none of them alive (and, under AddressSanitizer, nothing leaked).
#include <gtest/gtest.h>

#include "tests/screens/screen_fixture.h"

namespace zelto::testing {
namespace {

TEST_F(ScreensTest, AThousandLaunchUpdateEndCyclesLeaveNoScreenOrCellAlive) {
  const auto request = dollarRequest();
  for (int cycle = 0; cycle < 1000; ++cycle) {
    launch(request);
    const std::weak_ptr<platform::ViewController> qr = qrScreen();
    openDetails();
    const std::weak_ptr<platform::ViewController> details = detailsScreen();
    const std::weak_ptr<ZELTOPaymentScrollView> form = detailsScreen()->scrollView;
    const std::weak_ptr<ZELTOCellView> amountCell = detailsScreen()->scrollView->cells().front();
    type("Amount_Field", "5");
    toggle("Bill_Number_Switch");
    type("Bill_Number_Field", "A");
    ASSERT_EQ(tapAndSettle("Update_Payment_Details_Button"), host::DriveResult::kDone);
    ASSERT_TRUE(details.expired() && form.expired() && amountCell.expired()) << cycle;
    settle();
    ASSERT_TRUE(qr.expired()) << cycle;
    request->transactionAmount.reset();
    request->billID.reset();
  }
  EXPECT_TRUE(recorder.reports.empty());
}

}  // namespace
}  // namespace zelto::testing
