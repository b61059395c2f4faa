#include "payload/request_checks.h"

#include <gtest/gtest.h>
#include <zelto/results/zelto_refund_payment_request.h>
#include <zelto/sdk/zelto_payment_request.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "results/string_constants.h"

namespace zelto {
namespace {

// Field changes applied by name to a valid request; an absent value makes the field absent.
using Changes = std::vector<std::pair<std::string_view, std::optional<std::string>>>;

// The message validate() reports after `changes`, or "" when the request stays valid.
std::string messageAfter(const Changes& changes) {
  ZeltoPaymentRequest request("01", "11", "4111111111111111", "ABC Store", "5411", "Mumbai", "IN",
                              "356", "", "", "", "400001", "", "", "", "");
  for (const auto& [name, value] : changes) {
    EXPECT_EQ(request.setProperty(name, value), ZeltoPaymentRequest::SetResult::kDone) << name;
  }
  const auto error = request.validate();
  if (!error) return "";
  EXPECT_EQ(error->errorCodes.size(), 1u);
  return error->errorCodes.front();
}

TEST(PaymentRequestValidate, EachRuleReportsItsMessage) {
  using namespace StringConstants;
  const std::string n25(25, 'n'), c15(15, 'c');
  const std::pair<Changes, std::string_view> cases[] = {
      {{}, ""},
      {{{"payloadFormatIndicator", "1"}}, PAYLOAD_FORMAT_INDICATOR_NOT_VALID},
      {{{"payloadFormatIndicator", "001"}}, PAYLOAD_FORMAT_INDICATOR_NOT_VALID},
      {{{"payloadFormatIndicator", "02"}}, PAYLOAD_FORMAT_INDICATOR_NOT_VALID},
      {{{"zeltoMerchantID", "4111111111111112"}}, MERCHANT_ID_NOT_VALID},  // Luhn
      {{{"zeltoMerchantID", "5111111111111118"}}, MERCHANT_ID_NOT_VALID},  // not a "4"
      {{{"zeltoMerchantID", "4111111"}}, MERCHANT_ID_NOT_VALID},
      {{{"zeltoMerchantID", "41111111111111110"}}, MERCHANT_ID_NOT_VALID},
      {{{"zeltoMerchantID", ""}}, MERCHANT_ID_NOT_VALID},
      {{{"zeltoMerchantID", "41111111A"}}, MERCHANT_ID_NOT_VALID},
      {{{"zeltoMerchantID", "4123456784"}}, ""},  // passes once widened to 16 digits
      {{{"merchantName", n25}}, ""},
      {{{"merchantName", n25 + "n"}}, MERCHANT_NAME_NOT_VALID},
      {{{"merchantName", ""}}, MERCHANT_NAME_NOT_VALID},
      {{{"merchantName", "最佳运输最佳运输最佳运输最佳运输最佳运输最佳运输最"}}, ""},  // characters
      {{{"merchantCategoryCode", "541"}}, MERCHANT_CATEGORY_CODE_NOT_VALID},
      {{{"merchantCategoryCode", "54A1"}}, MERCHANT_CATEGORY_CODE_NOT_VALID},
      {{{"cityName", c15}}, ""},
      {{{"cityName", c15 + "c"}}, CITY_NAME_NOT_VALID},
      {{{"cityName", ""}}, CITY_NAME_NOT_VALID},
      {{{"countryCode", "in"}}, COUNTRY_CODE_NOT_VALID},
      {{{"countryCode", "QQ"}}, COUNTRY_CODE_NOT_VALID},
      {{{"countryCode", "BR"}}, ""},
      {{{"currencyCode", "35A"}}, CURRENCY_CODE_NOT_VALID},
      {{{"currencyCode", "3560"}}, CURRENCY_CODE_NOT_VALID},
      {{{"currencyCode", "000"}}, CURRENCY_CODE_NOT_VALID},
      {{{"currencyCode", "222"}}, CURRENCY_CODE_NOT_VALID},
      {{{"currencyCode", "999"}}, ""},
      {{{"tipIndicator", "04"}}, TIP_INDICATOR_NOT_VALID},
      {{{"tipIndicator", "02"}, {"tipAmount", "10.50"}}, ""},
      {{{"tipIndicator", "02"}, {"tipAmount", "0"}}, TIP_AMOUNT_NOT_VALID},
      {{{"tipIndicator", "02"}, {"tipAmount", "1234567890"}}, TIP_AMOUNT_NOT_VALID},
      {{{"tipIndicator", "02"}, {"tipAmount", "1.2.3"}}, TIP_AMOUNT_NOT_VALID},
      {{{"tipIndicator", "02"}, {"tipAmount", "+5"}}, TIP_AMOUNT_NOT_VALID},
      {{{"tipIndicator", "02"}}, TIP_AMOUNT_NOT_VALID},
      {{{"tipIndicator", "02"}, {"tipAmount", "1"}, {"tipPercentage", "5"}},
       TIP_PERCENTAGE_NOT_VALID},
      {{{"tipIndicator", "03"}, {"tipPercentage", "99.99"}}, ""},
      {{{"tipIndicator", "03"}, {"tipPercentage", "0.01"}}, ""},
      {{{"tipIndicator", "03"}, {"tipPercentage", "100"}}, TIP_PERCENTAGE_NOT_VALID},
      {{{"tipIndicator", "03"}, {"tipPercentage", "0"}}, TIP_PERCENTAGE_NOT_VALID},
      {{{"tipIndicator", "03"}, {"tipAmount", "1"}, {"tipPercentage", "5"}}, TIP_AMOUNT_NOT_VALID},
      {{{"tipIndicator", "01"}}, ""},
      {{{"tipIndicator", "01"}, {"tipAmount", "1"}}, TIP_AMOUNT_NOT_VALID},
      {{{"tipIndicator", "01"}, {"tipPercentage", std::nullopt}}, TIP_PERCENTAGE_NOT_VALID},
      {{{"tipIndicator", std::nullopt}, {"tipPercentage", "5"}}, TIP_AMOUNT_NOT_VALID},
      {{{"tipAmount", std::nullopt}}, TIP_AMOUNT_NOT_VALID},  // as the plain initialiser leaves it
      {{{"postalCode", "1234567890"}}, ""},
      {{{"postalCode", "12345678901"}}, POSTAL_CODE_NOT_VALID},
      {{{"postalCode", std::nullopt}}, ""},
      {{{"npciid1", "x"}, {"transactionAmount", "abc"}, {"billID", std::string(120, 'b')}}, ""},
      {{{"merchantName", ""}, {"cityName", ""}}, MERCHANT_NAME_NOT_VALID},  // first failure wins
  };
  for (const auto& [changes, expected] : cases) {
    std::string what;
    for (const auto& [name, value] : changes)
      what += std::string(name) + "=" + value.value_or("<absent>") + " ";
    EXPECT_EQ(messageAfter(changes), expected) << what;
  }
}

// Control characters (U+0000 to U+001F, U+007F to U+009F) and their printable neighbours.
const std::string kControls[] = {
    std::string("A\0B", 3), "\x01", "tab\t", "\r\n", "\x1f", "\x7f", "\xc2\x80", "\xc2\x9f"};
const std::string kPrintable[] = {" ", "~", "\xc2\xa0", "\xc2\xbf", "最佳\u200b"};

TEST(PaymentRequestControlCharacters, RefusedByTheSetterCaughtByValidateAndNeverEncoded) {
  using namespace StringConstants;
  for (const auto& property : ZeltoPaymentRequest::properties()) {
    for (const std::string& value : kControls) {
      ZeltoPaymentRequest request;
      const std::optional<std::string> before = request.property(property.name);
      EXPECT_EQ(request.setProperty(property.name, value),
                ZeltoPaymentRequest::SetResult::kControlCharacter)
          << property.name;
      EXPECT_EQ(request.property(property.name), before) << property.name;
    }
    for (const std::string& value : kPrintable) {
      ZeltoPaymentRequest request;
      EXPECT_EQ(request.setProperty(property.name, value), ZeltoPaymentRequest::SetResult::kDone)
          << property.name;
    }
  }
  // Assigned directly, they fail the free-text rules and stay out of the payload.
  for (const std::string& control : kControls) {
    ZeltoPaymentRequest request("01", "11", "4111111111111111", "ABC Store", "5411", "Mumbai", "IN",
                                "356", "", "", "", "400001", "", "", "", "");
    const std::pair<std::string ZeltoPaymentRequest::*, std::string_view> texts[] = {
        {&ZeltoPaymentRequest::merchantName, MERCHANT_NAME_NOT_VALID},
        {&ZeltoPaymentRequest::cityName, CITY_NAME_NOT_VALID},
    };
    for (const auto& [member, message] : texts) {
      ZeltoPaymentRequest changed = request;
      changed.*member = "AB" + control;
      ASSERT_TRUE(changed.validate()) << message;
      EXPECT_EQ(changed.validate()->errorCodes, std::vector<std::string>{std::string(message)});
    }
    ZeltoPaymentRequest postal = request;
    postal.postalCode = control;
    ASSERT_TRUE(postal.validate());
    EXPECT_EQ(postal.validate()->errorCodes,
              std::vector<std::string>{std::string(POSTAL_CODE_NOT_VALID)});

    ZeltoPaymentRequest encoded = request;
    encoded.merchantName = "AB" + control;
    encoded.billID = control;
    encoded.npciid1 = control + "x";
    const std::string payload = encoded.getTLV();
    EXPECT_EQ(payload.find("59"), std::string::npos) << payload;
    EXPECT_EQ(payload.find("62"), std::string::npos) << payload;
    EXPECT_FALSE(text::findControlCharacter(payload)) << payload;
    EXPECT_EQ(payload.size(), std::strlen(payload.c_str()));
  }
}

TEST(RefundRequestControlCharacters, CardHolderNameWithOneIsInvalid) {
  for (const std::string& control : kControls) {
    const ZeltoRefundPaymentRequest request("4242", "Asha" + control, "840", "1.00");
    ASSERT_TRUE(request.validate()) << control;
    EXPECT_EQ(request.validate()->errorCodes,
              std::vector<std::string>{std::string(StringConstants::CARDHOLDER_INVALID)});
  }
  EXPECT_FALSE(ZeltoRefundPaymentRequest("4242", "Asha\xc2\xa0Rao", "840", "1.00").validate());
}

TEST(MerchantIdChecks, WideningAndLuhn) {
  using namespace request_checks;
  EXPECT_EQ(convertMerchantIdToPan("4123456789"), "4123450000006789");
  EXPECT_EQ(convertMerchantIdToPan("4123456"), "4123450000000006");
  EXPECT_EQ(convertMerchantIdToPan("412345"), "412345");
  EXPECT_EQ(convertMerchantIdToPan("4111111111111111"), "4111111111111111");
  EXPECT_TRUE(luhnsAlgorithmCheck("79927398713"));
  EXPECT_FALSE(luhnsAlgorithmCheck("79927398710"));
  EXPECT_FALSE(luhnsAlgorithmCheck(""));
  EXPECT_FALSE(luhnsAlgorithmCheck("4111-1111"));
}

}  // namespace
}  // namespace zelto
