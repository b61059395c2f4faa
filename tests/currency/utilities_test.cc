#include "currency/utilities.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/resource_bundle.h"
#include "sdk/zelto_session.h"

namespace zelto {
namespace {

using platform::Font;
using platform::StyledText;
using platform::TextRun;

TextRun run(std::string text, Font font, bool underline = false) {
  return {std::move(text), font, std::nullopt, underline};
}

class UtilitiesTest : public ::testing::Test {
 protected:
  void SetUp() override { pinDevice("en_US.UTF-8"); }
  void TearDown() override {
    ZeltoSession::sharedSession().requestPaymentSession->request = nullptr;
    ZeltoSession::sharedSession().setActiveSessionType(ZeltoActiveFlow::none);
  }

  static void pinDevice(const char* locale) { ::setenv("LC_ALL", locale, 1); }

  // Starts a request-payment flow in `currencyCode`.
  static void flowIn(std::string currencyCode) {
    auto request = std::make_shared<ZeltoPaymentRequest>();
    request->currencyCode = std::move(currencyCode);
    ZeltoSession::sharedSession().requestPaymentSession->request = request;
    ZeltoSession::sharedSession().setActiveSessionType(ZeltoActiveFlow::requestPayment);
  }
};

TEST_F(UtilitiesTest, FormattingFollowsTheActiveFlowOnEveryCall) {
  // No flow: the default currency, 356.
  EXPECT_EQ(Utilities::getCurrency("1234").text, "₹12.34");
  flowIn("840");
  EXPECT_EQ(Utilities::getCurrency("1234").text, "$12.34");
  EXPECT_EQ(Utilities::getCurrencyFormatter()->currencyCode(), "USD");
  ZeltoSession::sharedSession().requestPaymentSession->request->currencyCode = "392";
  EXPECT_EQ(Utilities::getCurrency("1234").text, "¥1,234");
  EXPECT_DOUBLE_EQ(Utilities::getCurrency("1234").amount, 1234);
  flowIn("368");
  EXPECT_EQ(Utilities::getCurrency("1234").text, "KWD\u00A01.234");

  auto& refund = ZeltoSession::sharedSession().refundPaymentSession->request;
  refund->currencyCode = "978";
  ZeltoSession::sharedSession().setActiveSessionType(ZeltoActiveFlow::refundPayment);
  EXPECT_EQ(Utilities::getCurrency("").text, "€0.00");
}

TEST_F(UtilitiesTest, ComponentsAndPlainDecimalsUseTheFlowFormatter) {
  flowIn("586");
  EXPECT_EQ(Utilities::getISOCurrencyComponents(1234.5, "586"),
            (ISOCurrencyComponents{"PKR", "1,234.50"}));
  EXPECT_EQ(amountLocaleSetup("$1,234.56"), "1234.56");
  flowIn("978");
  pinDevice("de_DE.UTF-8");
  EXPECT_EQ(Utilities::getISOCurrencyComponents(1234.5, "978"),
            (ISOCurrencyComponents{"EUR", "1.234,50"}));
  EXPECT_EQ(amountLocaleSetup("1.234,56\u00A0€"), "1234.56");
}

TEST_F(UtilitiesTest, InvalidTextsNameTheField) {
  EXPECT_EQ(Utilities::localizedInvaildString("Add Tip"), "Invalid Tip");
  EXPECT_EQ(Utilities::localizedInvaildString("Bill Number"), "Invalid Bill Number");
  EXPECT_EQ(Utilities::localizedInvaildString("NOT_A_KEY"), "Invalid NOT_A_KEY");
}

TEST_F(UtilitiesTest, PayAndRefundTexts) {
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
      {"Tip", "1", "USD", ""},
      {"Tip", std::nullopt, std::nullopt, ""},
      {"pay", "1", "USD", ""},
      {"Pay", "[currency]", "USD", "Pay USD [currency]"},  // replaced once, currency first
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utilities::localizedAmountString(c.label, c.amount, c.currency), c.expected)
        << c.label;
  }
}

TEST_F(UtilitiesTest, AttributedStringPutsTheCodeBesideTheAmount) {
  struct Case {
    const char* device;
    std::string first;
    bool isTotalAmount;
    bool isUnderLine;
    double fontSize;
    StyledText expected;
  };
  const Case cases[] = {
      {"en_US",
       "USD",
       true,
       false,
       40,
       {{run("USD ", Font::systemFont(16)), run("12.34", Font::systemFont(40))}}},
      {"en_US",
       "USD",
       false,
       false,
       0,
       {{run("USD ", Font::systemFont(12)), run("12.34", Font::systemFont(12))}}},
      {"en_US",
       "",
       true,
       false,
       30,
       {{run("", Font::systemFont(16)), run("12.34", Font::systemFont(30))}}},
      {"en_US",
       "USD",
       true,
       true,
       20,
       {{run("USD ", Font::boldSystemFont(10), true),
         run("12.34", Font::boldSystemFont(10), true)}}},
      {"ar_EG.UTF-8",
       "USD",
       true,
       false,
       40,
       {{run("12.34 ", Font::systemFont(40)), run("USD", Font::systemFont(16))}}},
  };
  for (const Case& c : cases) {
    pinDevice(c.device);
    EXPECT_EQ(
        Utilities::attributedString(c.first, "12.34", c.isTotalAmount, c.isUnderLine, c.fontSize),
        c.expected)
        << c.device << " " << c.first << " " << c.fontSize;
  }
  EXPECT_EQ(Utilities::underLineAttributedString("USD 5.00", 0, true),
            (StyledText{{run("USD 5.00", Font::boldSystemFont(14), true)}}));
}

TEST(StringTableTest, HoldsATextForEveryKeyTheLibraryUses) {
  std::ifstream file(std::string(ZELTO_RESOURCE_DIR) + "/strings/en.json");
  nlohmann::json table = nlohmann::json::parse(file);
  struct Key {
    std::string key;
    std::vector<std::string> placeholders;
  };
  const Key keys[] = {
      {"Pay [currency] [amount]", {"[currency]", "[amount]"}},
      {"Refund [currency] [amount]", {"[currency]", "[amount]"}},
      {"Invalid [Default Label]", {"[Default Label]"}},
      {"Set [Default Label]", {"[Default Label]"}},
      {"If [Default Label] is not set, customer will have to enter it when they are paying "
       "from their app.",
       {"[Default Label]"}},
      {"CONFIRM_REFUND_MESSAGE", {"[%name]", "[%value]"}},
      {"Invalid Tip", {}},
      {"REVIEW_PAYMENT_PAY", {}},
      {"REVIEW_PAYMENT_REFUND_TITLE", {}},
      {"REVIEW_PAYMENT_ORIGINAL_TRANSACTION", {}},
      {"REVIEW_PAYMENT_TOTAL_AFTER_REFUND", {}},
      {"CONFIRM_REFUND_TITLE", {}},
      {"CONFIRM_PAYMENT_TITLE", {}},
      {"ZELTO_CANCEL", {}},
      {"ZELTO_CONTINUE", {}},
      {"ZELTO_OK", {}},
      {"ZELTO_SESSION_TIMEOUT_DIALOG", {}},
      {"REQUEST_PAYMENT_TITLE", {}},
      {"SCAN_TO_PAY_TITLE", {}},
      {"REQUEST_PAYMENT_WITH_PAYMENT_DETAILS", {}},
      {"REQUEST_FLOW_PAYMENT_DETAIL", {}},
      {"UPDATE", {}},
      {"ADDITIONAL_LIMIT_GSM_ERROR", {}},
      {"Request Amount", {}},
      {"Additional Settings", {}},
      {"Reset", {}},
      {"Bill Number", {}},
      {"Mobile Number", {}},
      {"Store ID", {}},
      {"Loyalty Number", {}},
      {"Reference ID", {}},
      {"Consumer ID", {}},
      {"Terminal ID", {}},
      {"Purpose", {}},
      {"Add Tip", {}},
      {"Refund Amount", {}},
      {"Summary", {}},
      {"Select Currency", {}},
      {"ZELTO_SEARCH", {}},
      {"Recently Used", {}},
      {"Currencies", {}},
      {"Sorry! We can\u2019t find any currency with that name.", {}},
  };
  for (const Key& k : keys) {
    ASSERT_TRUE(table.contains(k.key)) << k.key;
    std::string text = platform::localizedString(k.key);
    EXPECT_EQ(text, table[k.key].get<std::string>()) << k.key;
    EXPECT_FALSE(text.empty()) << k.key;
    for (const std::string& placeholder : k.placeholders) {
      EXPECT_NE(text.find(placeholder), std::string::npos) << k.key << " lacks " << placeholder;
    }
  }
}

}  // namespace
}  // namespace zelto
