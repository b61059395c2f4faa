#include "sdk/utilities.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "base/resource_bundle.h"
#include "currency/currency_formatter.h"
#include "sdk/session.h"

namespace zelto {
namespace {

using platform::Font;
using platform::StyledText;
using platform::TextRun;

class UtilitiesTest : public ::testing::Test {
 protected:
  void SetUp() override { pinDevice("en_US.UTF-8"); }
  void TearDown() override {
    ZeltoSession::sharedSession().requestPaymentSession->request = nullptr;
    ZeltoSession::sharedSession().setActiveSessionType(ZeltoActiveFlow::none);
  }

  static void pinDevice(const char* locale) { ::setenv("LC_ALL", locale, 1); }

  static void flowIn(std::string currencyCode) {
    auto request = std::make_shared<ZeltoPaymentRequest>();
    request->currencyCode = std::move(currencyCode);
    ZeltoSession::sharedSession().requestPaymentSession->request = request;
    ZeltoSession::sharedSession().setActiveSessionType(ZeltoActiveFlow::requestPayment);
  }
};

TEST_F(UtilitiesTest, FormattingFollowsTheActiveFlowOnEveryCall) {
  EXPECT_EQ(Utilities::getCurrency("1234").text, "₹12.34");  // no flow: 356
  flowIn("840");
  EXPECT_EQ(Utilities::getCurrency("1234").text, "$12.34");
  EXPECT_EQ(Utilities::getCurrencyFormatter()->currencyCode(), "USD");
  ZeltoSession::sharedSession().requestPaymentSession->request->currencyCode = "392";
  EXPECT_EQ(Utilities::getCurrency("1234").text, "¥1,234");
  ZeltoSession::sharedSession().refundPaymentSession->request->currencyCode = "978";
  ZeltoSession::sharedSession().setActiveSessionType(ZeltoActiveFlow::refundPayment);
  EXPECT_EQ(Utilities::getCurrency("").text, "€0.00");
}

TEST_F(UtilitiesTest, ComponentsAndPlainDecimalsUseTheFlowFormatter) {
  flowIn("978");
  pinDevice("de_DE.UTF-8");
  EXPECT_EQ(Utilities::getISOCurrencyComponents(1234.5, "978"),
            (ISOCurrencyComponents{"EUR", "1.234,50"}));
  EXPECT_EQ(amountLocaleSetup("1.234,56\u00A0€"), "1234.56");
}

TEST_F(UtilitiesTest, LabelledTexts) {
  EXPECT_EQ(Utilities::localizedInvaildString("Add Tip"), "Invalid Tip");
  EXPECT_EQ(Utilities::localizedInvaildString("Bill Number"), "Invalid Bill Number");
  EXPECT_EQ(Utilities::localizedInvaildString("NOT_A_KEY"), "Invalid NOT_A_KEY");
  struct Case {
    std::string label;
    std::optional<std::string> amount;
    std::optional<std::string> currency;
    std::string expected;
  };
  const Case cases[] = {
      {"Pay", "12.34", "USD", "Pay USD 12.34"},
      {"Refund", "1,234.50", "INR", "Refund INR 1,234.50"},
      {"Pay", std::nullopt, "USD", "Pay USD [amount]"},
      {"Pay", "12.34", std::nullopt, "REVIEW_PAYMENT_PAY"},
      {"Refund", std::nullopt, std::nullopt, "REVIEW_PAYMENT_REFUND_TITLE"},
      {"pay", "1", "USD", ""},
      {"Pay", "[currency]", "USD", "Pay USD [currency]"},  // replaced once, currency first
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utilities::localizedAmountString(c.label, c.amount, c.currency), c.expected)
        << c.label;
  }
}

TEST_F(UtilitiesTest, AttributedStringPutsTheCodeBesideTheAmount) {
  const auto plain = [](std::string text, double size) {
    return TextRun{text, Font::systemFont(size), std::nullopt, false};
  };
  const auto bold = [](std::string text, double size) {
    return TextRun{text, Font::boldSystemFont(size), std::nullopt, true};
  };
  struct Case {
    const char* device;
    std::string first;
    bool isTotalAmount;
    bool isUnderLine;
    double fontSize;
    StyledText expected;
  };
  const Case cases[] = {
      {"en_US", "USD", true, false, 40, {{plain("USD ", 16), plain("12.34", 40)}}},
      {"en_US", "USD", false, false, 0, {{plain("USD ", 12), plain("12.34", 12)}}},
      {"en_US", "", true, false, 30, {{plain("", 16), plain("12.34", 30)}}},
      {"en_US", "USD", true, true, 20, {{bold("USD ", 10), bold("12.34", 10)}}},
      {"ar_EG.UTF-8", "USD", true, false, 40, {{plain("12.34 ", 40), plain("USD", 16)}}},
  };
  for (const Case& c : cases) {
    pinDevice(c.device);
    EXPECT_EQ(
        Utilities::attributedString(c.first, "12.34", c.isTotalAmount, c.isUnderLine, c.fontSize),
        c.expected)
        << c.device << " " << c.first << " " << c.fontSize;
  }
  EXPECT_EQ(Utilities::underLineAttributedString("USD 5.00", 0, true),
            (StyledText{{bold("USD 5.00", 14)}}));
}

// A key written as English text reads as itself when the table lacks it; a coded key would
// show as code.
TEST(StringTableTest, CodedKeysHaveTexts) {
  for (std::string_view key :
       {"REVIEW_PAYMENT_PAY", "REVIEW_PAYMENT_REFUND_TITLE", "REVIEW_PAYMENT_ORIGINAL_TRANSACTION",
        "REVIEW_PAYMENT_TOTAL_AFTER_REFUND", "CONFIRM_REFUND_TITLE", "CONFIRM_PAYMENT_TITLE",
        "ZELTO_CANCEL", "ZELTO_CONTINUE", "ZELTO_OK", "ZELTO_SESSION_TIMEOUT_DIALOG",
        "REQUEST_PAYMENT_TITLE", "SCAN_TO_PAY_TITLE", "REQUEST_PAYMENT_WITH_PAYMENT_DETAILS",
        "REQUEST_FLOW_PAYMENT_DETAIL", "UPDATE", "ADDITIONAL_LIMIT_GSM_ERROR", "ZELTO_SEARCH"}) {
    std::string text = platform::localizedString(key);
    EXPECT_FALSE(text.empty() || text == key) << key;
  }
  std::string message = platform::localizedString("CONFIRM_REFUND_MESSAGE");
  EXPECT_NE(message.find("[%name]"), std::string::npos) << message;
  EXPECT_NE(message.find("[%value]"), std::string::npos) << message;
}

}  // namespace
}  // namespace zelto
