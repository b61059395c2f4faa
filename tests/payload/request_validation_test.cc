#include <gtest/gtest.h>

#include <functional>

#include "payload/request_checks.h"
#include "payload/zelto_payment_request.h"
#include "results/string_constants.h"

namespace zelto {
namespace {

ZeltoPaymentRequest validRequest() {
  return ZeltoPaymentRequest("01", "11", "4111111111111111", "ABC Store", "5411", "Mumbai", "IN",
                             "356", "", "", "", "400001", "", "", "", "");
}

// The message validate() reports, or "" when the request is valid.
std::string messageOf(const ZeltoPaymentRequest& request) {
  const auto error = request.validate();
  if (!error) return "";
  EXPECT_EQ(error->errorCodes.size(), 1u);
  return error->errorCodes.front();
}

struct Case {
  const char* what;
  std::function<void(ZeltoPaymentRequest&)> change;
  std::string_view expected;  // "" = valid
};

TEST(PaymentRequestValidate, EachRuleReportsItsMessage) {
  using namespace StringConstants;
  const Case cases[] = {
      {"valid as built", [](auto&) {}, ""},
      {"indicator 1", [](auto& r) { r.payloadFormatIndicator = "1"; },
       PAYLOAD_FORMAT_INDICATOR_NOT_VALID},
      {"indicator 001", [](auto& r) { r.payloadFormatIndicator = "001"; },
       PAYLOAD_FORMAT_INDICATOR_NOT_VALID},
      {"indicator 02", [](auto& r) { r.payloadFormatIndicator = "02"; },
       PAYLOAD_FORMAT_INDICATOR_NOT_VALID},
      {"luhn fails", [](auto& r) { r.zeltoMerchantID = "4111111111111112"; },
       MERCHANT_ID_NOT_VALID},
      {"not a 4", [](auto& r) { r.zeltoMerchantID = "5111111111111118"; }, MERCHANT_ID_NOT_VALID},
      {"7 characters", [](auto& r) { r.zeltoMerchantID = "4111111"; }, MERCHANT_ID_NOT_VALID},
      {"17 characters", [](auto& r) { r.zeltoMerchantID = "41111111111111110"; },
       MERCHANT_ID_NOT_VALID},
      {"empty id", [](auto& r) { r.zeltoMerchantID = ""; }, MERCHANT_ID_NOT_VALID},
      {"letters in id", [](auto& r) { r.zeltoMerchantID = "41111111A"; }, MERCHANT_ID_NOT_VALID},
      {"10 digits widened", [](auto& r) { r.zeltoMerchantID = "4123456784"; }, ""},
      {"name of 25", [](auto& r) { r.merchantName = std::string(25, 'n'); }, ""},
      {"name of 26", [](auto& r) { r.merchantName = std::string(26, 'n'); },
       MERCHANT_NAME_NOT_VALID},
      {"name empty", [](auto& r) { r.merchantName = ""; }, MERCHANT_NAME_NOT_VALID},
      {"name counts characters",
       [](auto& r) { r.merchantName = "最佳运输最佳运输最佳运输最佳运输最佳运输最佳运输最"; }, ""},
      {"mcc 3 digits", [](auto& r) { r.merchantCategoryCode = "541"; },
       MERCHANT_CATEGORY_CODE_NOT_VALID},
      {"mcc letter", [](auto& r) { r.merchantCategoryCode = "54A1"; },
       MERCHANT_CATEGORY_CODE_NOT_VALID},
      {"city of 15", [](auto& r) { r.cityName = std::string(15, 'c'); }, ""},
      {"city of 16", [](auto& r) { r.cityName = std::string(16, 'c'); }, CITY_NAME_NOT_VALID},
      {"city empty", [](auto& r) { r.cityName = ""; }, CITY_NAME_NOT_VALID},
      {"country lower case", [](auto& r) { r.countryCode = "in"; }, COUNTRY_CODE_NOT_VALID},
      {"country unknown", [](auto& r) { r.countryCode = "QQ"; }, COUNTRY_CODE_NOT_VALID},
      {"country other", [](auto& r) { r.countryCode = "BR"; }, ""},
      {"currency letter", [](auto& r) { r.currencyCode = "35A"; }, CURRENCY_CODE_NOT_VALID},
      {"currency 4 digits", [](auto& r) { r.currencyCode = "3560"; }, CURRENCY_CODE_NOT_VALID},
      {"currency unknown", [](auto& r) { r.currencyCode = "000"; }, CURRENCY_CODE_NOT_VALID},
      {"currency 999 known", [](auto& r) { r.currencyCode = "999"; }, ""},
      {"currency 222 unknown", [](auto& r) { r.currencyCode = "222"; }, CURRENCY_CODE_NOT_VALID},
      {"tip 04", [](auto& r) { r.tipIndicator = "04"; }, TIP_INDICATOR_NOT_VALID},
      {"fee amount",
       [](auto& r) {
         r.tipIndicator = "02";
         r.tipAmount = "10.50";
       },
       ""},
      {"fee zero",
       [](auto& r) {
         r.tipIndicator = "02";
         r.tipAmount = "0";
       },
       TIP_AMOUNT_NOT_VALID},
      {"fee 10 characters",
       [](auto& r) {
         r.tipIndicator = "02";
         r.tipAmount = "1234567890";
       },
       TIP_AMOUNT_NOT_VALID},
      {"fee not a number",
       [](auto& r) {
         r.tipIndicator = "02";
         r.tipAmount = "1.2.3";
       },
       TIP_AMOUNT_NOT_VALID},
      {"fee with sign",
       [](auto& r) {
         r.tipIndicator = "02";
         r.tipAmount = "+5";
       },
       TIP_AMOUNT_NOT_VALID},
      {"fee without amount", [](auto& r) { r.tipIndicator = "02"; }, TIP_AMOUNT_NOT_VALID},
      {"fee with percentage",
       [](auto& r) {
         r.tipIndicator = "02";
         r.tipAmount = "1";
         r.tipPercentage = "5";
       },
       TIP_PERCENTAGE_NOT_VALID},
      {"percentage 99.99",
       [](auto& r) {
         r.tipIndicator = "03";
         r.tipPercentage = "99.99";
       },
       ""},
      {"percentage 0.01",
       [](auto& r) {
         r.tipIndicator = "03";
         r.tipPercentage = "0.01";
       },
       ""},
      {"percentage 100",
       [](auto& r) {
         r.tipIndicator = "03";
         r.tipPercentage = "100";
       },
       TIP_PERCENTAGE_NOT_VALID},
      {"percentage 0",
       [](auto& r) {
         r.tipIndicator = "03";
         r.tipPercentage = "0";
       },
       TIP_PERCENTAGE_NOT_VALID},
      {"percentage with amount",
       [](auto& r) {
         r.tipIndicator = "03";
         r.tipAmount = "1";
         r.tipPercentage = "5";
       },
       TIP_AMOUNT_NOT_VALID},
      {"prompt with empties", [](auto& r) { r.tipIndicator = "01"; }, ""},
      {"prompt with amount",
       [](auto& r) {
         r.tipIndicator = "01";
         r.tipAmount = "1";
       },
       TIP_AMOUNT_NOT_VALID},
      {"prompt with absent",
       [](auto& r) {
         r.tipIndicator = "01";
         r.tipPercentage = std::nullopt;
       },
       TIP_PERCENTAGE_NOT_VALID},
      {"no indicator, percentage",
       [](auto& r) {
         r.tipIndicator = std::nullopt;
         r.tipPercentage = "5";
       },
       TIP_AMOUNT_NOT_VALID},
      {"no indicator, absent fee", [](auto& r) { r.tipAmount = std::nullopt; },
       TIP_AMOUNT_NOT_VALID},
      {"postal 10", [](auto& r) { r.postalCode = "1234567890"; }, ""},
      {"postal 11", [](auto& r) { r.postalCode = "12345678901"; }, POSTAL_CODE_NOT_VALID},
      {"postal absent", [](auto& r) { r.postalCode = std::nullopt; }, ""},
      {"unchecked fields",
       [](auto& r) {
         r.npciid1 = "x";
         r.transactionAmount = "abc";
         r.billID = std::string(120, 'b');
       },
       ""},
      {"first failure wins",
       [](auto& r) {
         r.merchantName = "";
         r.cityName = "";
       },
       MERCHANT_NAME_NOT_VALID},
  };
  for (const auto& c : cases) {
    auto request = validRequest();
    c.change(request);
    EXPECT_EQ(messageOf(request), c.expected) << c.what;
  }
}

TEST(PaymentRequestValidate, DefaultRequestFailsOnAbsentTipFields) {
  auto request = validRequest();
  ZeltoPaymentRequest defaults;
  defaults.zeltoMerchantID = request.zeltoMerchantID;
  defaults.merchantName = request.merchantName;
  defaults.merchantCategoryCode = request.merchantCategoryCode;
  defaults.cityName = request.cityName;
  defaults.countryCode = request.countryCode;
  defaults.currencyCode = request.currencyCode;
  EXPECT_EQ(messageOf(defaults), StringConstants::TIP_AMOUNT_NOT_VALID);
}

TEST(MerchantIdChecks, WideningAndLuhn) {
  using namespace request_checks;
  EXPECT_EQ(convertMerchantIdToPan("4123456789"), "4123450000006789");
  EXPECT_EQ(convertMerchantIdToPan("412345"), "412345");
  EXPECT_EQ(convertMerchantIdToPan("4111111111111111"), "4111111111111111");
  EXPECT_EQ(convertMerchantIdToPan("4123456"), "4123450000000006");
  EXPECT_TRUE(luhnsAlgorithmCheck("4111111111111111"));
  EXPECT_TRUE(luhnsAlgorithmCheck("79927398713"));
  EXPECT_FALSE(luhnsAlgorithmCheck("79927398710"));
  EXPECT_FALSE(luhnsAlgorithmCheck(""));
  EXPECT_FALSE(luhnsAlgorithmCheck("4111-1111"));
  EXPECT_TRUE(validateMerchantID("4123456784"));  // widened to 4123450000006784
  EXPECT_FALSE(validateMerchantID("4123456789"));
  EXPECT_FALSE(validateMerchantID(std::nullopt));
}

}  // namespace
}  // namespace zelto
