// The payment details screen: what each field state writes into the stored request and the
// QR payload, the amount entry, Reset and close, the additional data's size limit and the
// keyboard.
#include <gtest/gtest.h>

#include "platform/notification_center.h"
#include "screens/cells/switch_cell.h"
#include "tests/screens/screen_fixture.h"

namespace zelto::testing {
namespace {

using host::DriveResult;

class DetailsScreenTest : public ScreensTest {
 protected:
  // The stored request after "UPDATE" (or close) and the return to the QR screen, whose payload
  // must be that request's.
  void leaveWith(std::string_view button) {
    ASSERT_EQ(tapAndSettle(button), DriveResult::kDone);
    ASSERT_EQ(flowNavigation()->topViewController(), qrScreen());
    EXPECT_FALSE(flowNavigation()->isNavigationBarHidden());
    EXPECT_EQ(qrScreen()->qrCodeTlv(), session().requestPaymentSession->request->getTLV());
  }
};

TEST_F(DetailsScreenTest, ControlCharacterKeysAreRefusedByEveryTextField) {
  launch(dollarRequest());
  openDetails();
  for (const char* stem : {"Bill_Number", "Mobile_Number", "Store_ID", "Loyalty_Number",
                           "Reference_ID", "Consumer_ID", "Terminal_ID", "Purpose"}) {
    SCOPED_TRACE(stem);
    ASSERT_EQ(toggle(std::string(stem) + "_Switch"), DriveResult::kDone);
    const auto keys = type(std::string(stem) + "_Field",
                           "A\x01"
                           "B\tC\xc2\x85"
                           "D\x7f");
    EXPECT_EQ(keys.refusedKeys, (std::vector<std::string>{"\x01", "\t", "\xc2\x85", "\x7f"}));
    ASSERT_EQ(toggle(std::string(stem) + "_Switch"), DriveResult::kDone);
  }
  ASSERT_EQ(toggle("Bill_Number_Switch"), DriveResult::kDone);
  type("Bill_Number_Field", "A\nB");
  leaveWith("Update_Payment_Details_Button");
  EXPECT_EQ(session().requestPaymentSession->request->billID, "AB");
}

TEST_F(DetailsScreenTest, UpdateStaysDisabledWhileAnyCellIsInvalidWhicheverIsEditedLast) {
  const std::string tooLong(26, 'x');  // one character more than a field may send
  const std::pair<std::string, std::string> orders[] = {{"Bill_Number", "Store_ID"},
                                                        {"Store_ID", "Bill_Number"}};
  for (const auto& [first, second] : orders) {
    SCOPED_TRACE(first + " first");
    launch();
    openDetails();
    ASSERT_EQ(toggle(first + "_Switch"), DriveResult::kDone);
    ASSERT_EQ(toggle(second + "_Switch"), DriveResult::kDone);
    EXPECT_TRUE(updateEnabled());
    type(first + "_Field", tooLong);
    EXPECT_FALSE(updateEnabled());
    type(second + "_Field", tooLong);
    EXPECT_FALSE(updateEnabled());
    // The cell edited last is mended, the other is not.
    erase(second + "_Field", 1);
    EXPECT_FALSE(updateEnabled());
    erase(first + "_Field", 1);
    EXPECT_TRUE(updateEnabled());
    type(first + "_Field", "y");
    EXPECT_FALSE(updateEnabled());
    leaveWith("Close_Button");
    settle();
  }
  // The amount counts as a cell too: one digit more than it takes.
  launch();
  openDetails();
  ASSERT_EQ(toggle("Bill_Number_Switch"), DriveResult::kDone);
  type("Amount_Field", "1234567890123");
  EXPECT_FALSE(updateEnabled());
  type("Bill_Number_Field", tooLong);
  erase("Bill_Number_Field", 1);
  EXPECT_FALSE(updateEnabled());
  erase("Amount_Field", 1);
  EXPECT_TRUE(updateEnabled());
  leaveWith("Close_Button");
}

TEST_F(DetailsScreenTest, TheNavigationBarIsHiddenWhileTheDetailsScreenShows) {
  launch();
  EXPECT_FALSE(flowNavigation()->isNavigationBarHidden());
  for (const char* leave : {"Close_Button", "Update_Payment_Details_Button"}) {
    SCOPED_TRACE(leave);
    openDetails();
    EXPECT_TRUE(flowNavigation()->isNavigationBarHidden());
    type("Amount_Field", "1");  // UPDATE takes a change
    loop().runFor(testing::kSettle);
    EXPECT_TRUE(flowNavigation()->isNavigationBarHidden());
    leaveWith(leave);  // the bar is back on the QR screen
  }
  settle();
}

// What each switch and field state stores, typed into an empty form, is in the host script
// details-fields; here the form starts from values the request came with.
TEST_F(DetailsScreenTest, StoredValuesFillTheFormAskedOnesShowEmptyAndTypingExtendsThem) {
  auto request = dollarRequest();
  request->billID = "***";
  request->storeID = "S-1";
  request->purpose = "Rent";
  launch(request);
  openDetails();
  EXPECT_EQ(find<platform::Switch>("Bill_Number_Switch")->isOn(), true);
  EXPECT_EQ(find<platform::TextField>("Bill_Number_Field")->text, "");
  EXPECT_EQ(find<platform::TextField>("Purpose_Field")->text, "Rent");
  EXPECT_EQ(find<platform::Switch>("Loyalty_Number_Switch")->isOn(), false);
  EXPECT_FALSE(updateEnabled());
  ASSERT_TRUE(type("Store_ID_Field", "7").refusedKeys.empty());
  ASSERT_EQ(toggle("Purpose_Switch"), DriveResult::kDone);
  leaveWith("Update_Payment_Details_Button");
  EXPECT_EQ(request->billID, "***");
  EXPECT_EQ(request->storeID, "S-17");
  EXPECT_EQ(request->purpose, std::nullopt);
  EXPECT_NE(qrScreen()->qrCodeTlv()->find("6215"
                                          "0103***"
                                          "0304S-17"),
            std::string::npos);
}

// Reset then "UPDATE" storing no field, and then close storing nothing typed, are in the host
// script details-reset.
TEST_F(DetailsScreenTest, ResetTurnsEveryFieldOffAndCloseKeepsTheStoredOnes) {
  auto request = dollarRequest();
  request->billID = "B-1";
  request->terminalID = "***";
  request->purpose = "Rent";
  launch(request);
  openDetails();
  ASSERT_EQ(tapAndSettle("Reset_Button"), DriveResult::kDone);
  for (const char* id : {"Bill_Number_Switch", "Terminal_ID_Switch", "Purpose_Switch"}) {
    EXPECT_FALSE(find<platform::Switch>(id)->isOn()) << id;
  }
  EXPECT_EQ(find<platform::TextField>("Bill_Number_Field")->text, "");
  EXPECT_TRUE(updateEnabled());
  leaveWith("Close_Button");
  EXPECT_EQ(request->billID, "B-1");
  EXPECT_EQ(request->terminalID, "***");
  EXPECT_FALSE(session().requestPaymentSession->isUpdated);
}

// Typing digit by digit, the thirteen-digit limit and the amount on the QR screen are in the
// host script details-amount; here the amount is deleted back to zero.
TEST_F(DetailsScreenTest, AmountDeletedToZeroIsStoredAsZeroAndLeftOutOfThePayload) {
  const auto request = launch();
  openDetails();
  EXPECT_EQ(find<platform::TextField>("Amount_Field")->text, "USD 0.00");
  type("Amount_Field", "1234");
  leaveWith("Update_Payment_Details_Button");
  openDetails();
  EXPECT_EQ(find<platform::TextField>("Amount_Field")->text, "USD 12.34");
  EXPECT_TRUE(erase("Amount_Field", 30).refusedKeys.empty());
  EXPECT_EQ(find<platform::TextField>("Amount_Field")->text, "USD 0.00");
  leaveWith("Update_Payment_Details_Button");
  EXPECT_EQ(request->transactionAmount, "0.0");
  EXPECT_EQ(qrScreen()->qrCodeTlv()->find("5403"), std::string::npos);
  EXPECT_EQ(find<platform::Label>("Amount_Label")->text, "USD 0.00");
}

// The banner's text, "UPDATE" turned off while the template is over its limit, and a dimmed
// switch refusing a tap are in the host script details-limit; here the dimming follows each
// character, and the banner leaves once the text fits again.
TEST_F(DetailsScreenTest, FullAdditionalDataDimsTheOtherSwitchesAndOverItShowsABanner) {
  // Three fields of 25 characters fill 87 of the 99 characters the template holds.
  auto request = dollarRequest();
  request->billID = std::string(25, 'B');
  request->mobileNumber = std::string(25, 'M');
  request->storeID = std::string(25, 'S');
  launch(request);
  openDetails();
  const auto referenceSwitch = find<platform::Switch>("Reference_ID_Switch");
  ASSERT_EQ(toggle("Loyalty_Number_Switch"), DriveResult::kDone);  // 94 with "***"
  EXPECT_TRUE(referenceSwitch->isInteractive());

  EXPECT_TRUE(type("Loyalty_Number_Field", "12345678").refusedKeys.empty());  // 99: full
  EXPECT_FALSE(referenceSwitch->isInteractive());
  EXPECT_EQ(referenceSwitch->thumbTintColor, platform::Color::fromHex("#BEBFD1"));
  EXPECT_EQ(detailsScreen()->statusMessage(), nullptr);

  EXPECT_TRUE(type("Loyalty_Number_Field", "9").refusedKeys.empty());  // 100: over the limit
  ASSERT_NE(detailsScreen()->statusMessage(), nullptr);
  EXPECT_TRUE(erase("Loyalty_Number_Field", 1).refusedKeys.empty());
  EXPECT_EQ(detailsScreen()->statusMessage(), nullptr);
  EXPECT_TRUE(updateEnabled());
  ASSERT_EQ(toggle("Store_ID_Switch"), DriveResult::kDone);
  EXPECT_TRUE(referenceSwitch->isInteractive());
  EXPECT_EQ(referenceSwitch->thumbTintColor, std::nullopt);
  leaveWith("Update_Payment_Details_Button");
  EXPECT_EQ(request->loyaltyNumber, "12345678");
  EXPECT_EQ(request->storeID, std::nullopt);
}

TEST_F(DetailsScreenTest, TurningOnAFieldThatNoLongerFitsTurnsItBackOff) {
  auto request = dollarRequest();
  request->billID = std::string(25, 'B');
  request->mobileNumber = std::string(25, 'M');
  request->storeID = std::string(25, 'S');
  request->loyaltyNumber = std::string(8, 'L');  // 99 characters: full
  launch(request);
  openDetails();
  // The switch refuses touches; a change that reaches it anyway is checked and undone.
  const auto cell = std::dynamic_pointer_cast<ZELTOSwitchCellView>(
      detailsScreen()->scrollView->cell(CellType::referenceID));
  ASSERT_NE(cell, nullptr);
  EXPECT_FALSE(cell->isAddable());
  cell->fieldSwitch()->setOn(true, false);
  cell->fieldSwitch()->sendActions(platform::ControlEvent::kValueChanged);
  EXPECT_FALSE(cell->isOn());
  ASSERT_NE(detailsScreen()->statusMessage(), nullptr);
  // The banner goes away on its own after four seconds.
  loop().runFor(3.9);
  EXPECT_NE(detailsScreen()->statusMessage(), nullptr);
  loop().runFor(0.2);
  EXPECT_EQ(detailsScreen()->statusMessage(), nullptr);
  EXPECT_FALSE(updateEnabled());
  leaveWith("Close_Button");
  EXPECT_EQ(request->referenceID, std::nullopt);
}

TEST_F(DetailsScreenTest, KeyboardNeverCoversTheFieldBeingEdited) {
  launch();
  openDetails();
  ASSERT_EQ(toggle("Purpose_Switch"), DriveResult::kDone);
  const auto field = find<platform::TextField>("Purpose_Field");
  const double keyboardTop = window().frame().height - platform::kKeyboardHeight;
  ASSERT_GT(field->convertToWindow(field->bounds()).maxY(), keyboardTop);
  EXPECT_TRUE(type("Purpose_Field", "Rent").refusedKeys.empty());
  loop().runFor(kSettle);
  EXPECT_LE(field->convertToWindow(field->bounds()).maxY(), keyboardTop);
  const auto form = detailsScreen()->scrollView;
  EXPECT_GT(form->contentInset.bottom, 0);
  EXPECT_EQ(detailsScreen()->currentTextField, field);
  detailsScreen()->view()->endEditing(true);
  loop().runFor(kSettle);
  EXPECT_EQ(form->contentInset.bottom, 0);
  EXPECT_EQ(detailsScreen()->currentTextField, nullptr);
}

TEST_F(DetailsScreenTest, EveryKeyInTheFormCountsAsActivity) {
  launch();
  openDetails();
  ASSERT_EQ(toggle("Bill_Number_Switch"), DriveResult::kDone);
  auto& idle = session().timeoutManager();
  idle.timeoutLength = 180;
  idle.startTimeoutObservation();
  for (const char* field : {"Amount_Field", "Bill_Number_Field"}) {
    loop().runFor(100);
    type(field, "1");
    EXPECT_EQ(idle.timeoutTime(), now() + 180) << field;
    loop().runFor(100);
    erase(field, 1);
    EXPECT_EQ(idle.timeoutTime(), now() + 180) << field;
  }
  idle.endTimeoutObservation();
}

TEST_F(DetailsScreenTest, StoredAmountTextIsTheShortestDecimalWithAFraction) {
  const std::vector<std::pair<double, std::string>> cases = {{12.34, "12.34"},
                                                             {100, "100.0"},
                                                             {0, "0.0"},
                                                             {0.1, "0.1"},
                                                             {99999999999.99, "99999999999.99"}};
  for (const auto& [amount, text] : cases) {
    EXPECT_EQ(ZELTORequestPaymentDetailsViewController::storedAmountText(amount), text);
  }
}

}  // namespace
}  // namespace zelto::testing
