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

struct Step {
  enum Kind { kToggle, kType } kind;
  std::string text;  // what is typed
};

struct FieldStateCase {
  std::string name;
  std::optional<std::string> stored;  // billID before the screen opens
  std::vector<Step> steps;
  std::optional<std::string> expected;  // billID after "UPDATE"
  bool updateAllowed;
};

TEST_F(DetailsScreenTest, EachFieldStateWritesItsValueIntoTheRequestAndThePayload) {
  const std::string twentyFive(25, 'B');
  const std::vector<FieldStateCase> cases = {
      {"switch off", "B-1", {{Step::kToggle, ""}}, std::nullopt, true},
      {"switch on, empty", std::nullopt, {{Step::kToggle, ""}}, "***", true},
      {"switch on, text",
       std::nullopt,
       {{Step::kToggle, ""}, {Step::kType, "INV-42"}},
       "INV-42",
       true},
      {"switch on, 25 characters",
       std::nullopt,
       {{Step::kToggle, ""}, {Step::kType, twentyFive}},
       twentyFive,
       true},
      {"text added to a stored value", "B-1", {{Step::kType, "7"}}, "B-17", true},
      {"switch on, 26 characters", "B-1", {{Step::kType, std::string(23, 'x')}}, "B-1", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto request = dollarRequest();
    request->billID = c.stored;
    launch(request);
    openDetails();
    EXPECT_FALSE(updateEnabled());
    for (const auto& step : c.steps) {
      if (step.kind == Step::kToggle) {
        ASSERT_EQ(toggle("Bill_Number_Switch"), DriveResult::kDone);
      } else {
        ASSERT_TRUE(type("Bill_Number_Field", step.text).refusedKeys.empty());
      }
    }
    EXPECT_EQ(updateEnabled(), c.updateAllowed);
    if (c.updateAllowed) {
      leaveWith("Update_Payment_Details_Button");
    } else {
      // A 27th character is refused outright; the cell stays invalid and nothing is written.
      EXPECT_EQ(type("Bill_Number_Field", "y").refusedKeys, std::vector<std::string>{"y"});
      EXPECT_EQ(host::tap(window(), "Update_Payment_Details_Button"), DriveResult::kNotInteractive);
      leaveWith("Close_Button");
    }
    EXPECT_EQ(request->billID, c.expected);
    settle();
  }
}

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

TEST_F(DetailsScreenTest, AskedFieldsShowEmptyAndSurviveAnUpdateOfSomethingElse) {
  auto request = dollarRequest();
  request->billID = "***";
  request->purpose = "Rent";
  launch(request);
  openDetails();
  EXPECT_EQ(find<platform::Switch>("Bill_Number_Switch")->isOn(), true);
  EXPECT_EQ(find<platform::TextField>("Bill_Number_Field")->text, "");
  EXPECT_EQ(find<platform::TextField>("Purpose_Field")->text, "Rent");
  EXPECT_EQ(find<platform::Switch>("Store_ID_Switch")->isOn(), false);
  ASSERT_EQ(toggle("Purpose_Switch"), DriveResult::kDone);
  leaveWith("Update_Payment_Details_Button");
  EXPECT_EQ(request->billID, "***");
  EXPECT_EQ(request->purpose, std::nullopt);
  EXPECT_NE(qrScreen()->qrCodeTlv()->find("6207"
                                          "0103***"),
            std::string::npos);
}

TEST_F(DetailsScreenTest, ResetClearsEveryFieldOnUpdateAndCloseKeepsThem) {
  for (const bool update : {true, false}) {
    SCOPED_TRACE(update ? "update" : "close");
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
    leaveWith(update ? "Update_Payment_Details_Button" : "Close_Button");
    if (update) {
      EXPECT_EQ(request->billID, std::nullopt);
      EXPECT_EQ(request->terminalID, std::nullopt);
      EXPECT_EQ(request->purpose, std::nullopt);
      EXPECT_EQ(request->additionalDataSubPayload(), "");
    } else {
      EXPECT_EQ(request->billID, "B-1");
      EXPECT_EQ(request->terminalID, "***");
      EXPECT_FALSE(session().requestPaymentSession->isUpdated);
    }
    settle();
  }
}

TEST_F(DetailsScreenTest, AmountIsTypedDigitByDigitAndShownOnTheQrScreen) {
  const auto request = launch();
  EXPECT_TRUE(find<platform::Label>("Amount_Label")->hidden);
  openDetails();
  EXPECT_EQ(find<platform::TextField>("Amount_Field")->text, "USD 0.00");
  EXPECT_TRUE(type("Amount_Field", "1234").refusedKeys.empty());
  EXPECT_EQ(find<platform::TextField>("Amount_Field")->text, "USD 12.34");
  EXPECT_TRUE(updateEnabled());
  leaveWith("Update_Payment_Details_Button");
  EXPECT_EQ(request->transactionAmount, "12.34");
  EXPECT_NE(qrScreen()->qrCodeTlv()->find("540512.34"), std::string::npos);
  EXPECT_EQ(find<platform::Label>("Amount_Label")->text, "USD 12.34");
  EXPECT_FALSE(find<platform::Label>("Amount_Label")->hidden);
  EXPECT_FALSE(find<platform::Label>("Payment_Detail_Label")->hidden);

  // Thirteen digits can be typed but are too many; the fourteenth key is refused.
  openDetails();
  EXPECT_EQ(find<platform::TextField>("Amount_Field")->text, "USD 12.34");
  const auto keys = type("Amount_Field", "1234567890");
  EXPECT_EQ(keys.refusedKeys, std::vector<std::string>{"0"});
  EXPECT_EQ(find<platform::TextField>("Amount_Field")->text, "USD 12,341,234,567.89");
  EXPECT_FALSE(updateEnabled());
  EXPECT_TRUE(erase("Amount_Field", 1).refusedKeys.empty());
  EXPECT_EQ(find<platform::TextField>("Amount_Field")->text, "USD 1,234,123,456.78");
  EXPECT_TRUE(updateEnabled());
  // Back to zero: stored as "0.0", which leaves the amount out of the payload.
  EXPECT_TRUE(erase("Amount_Field", 30).refusedKeys.empty());
  EXPECT_EQ(find<platform::TextField>("Amount_Field")->text, "USD 0.00");
  leaveWith("Update_Payment_Details_Button");
  EXPECT_EQ(request->transactionAmount, "0.0");
  EXPECT_EQ(qrScreen()->qrCodeTlv()->find("5403"), std::string::npos);
  EXPECT_EQ(find<platform::Label>("Amount_Label")->text, "USD 0.00");
}

TEST_F(DetailsScreenTest, FullAdditionalDataRefusesMoreWithABannerAndDimsTheOtherSwitches) {
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
  EXPECT_EQ(toggle("Reference_ID_Switch"), DriveResult::kNotInteractive);
  EXPECT_EQ(detailsScreen()->statusMessage(), nullptr);
  EXPECT_TRUE(updateEnabled());

  EXPECT_TRUE(type("Loyalty_Number_Field", "9").refusedKeys.empty());  // 100: over the limit
  const auto banner = detailsScreen()->statusMessage();
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(banner->message(), "The additional data is full. Turn off a field to add another one.");
  EXPECT_FALSE(updateEnabled());
  EXPECT_EQ(host::findView(window(), "Status_Message"), banner);

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
