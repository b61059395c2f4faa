#include <gtest/gtest.h>

#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

const std::string kValidRequest = R"({"zeltoMerchantID": "4111111111111111",
  "merchantName": "ABC Store", "merchantCategoryCode": "5411", "cityName": "Mumbai",
  "countryCode": "IN", "currencyCode": "356", "tipIndicator": "", "tipAmount": "",
  "tipPercentage": ""})";

TEST(CheckCli, ValidRequestPrintsNothing) {
  const auto result = runCli({"check"}, kValidRequest);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
}

TEST(CheckCli, InvalidRequestPrintsTheFirstMessage) {
  auto result = runCli({"check"}, R"({"merchantName": "ABC"})");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "Merchant ID not valid\n");
  std::string json = kValidRequest;
  json.replace(json.find("\"IN\""), 4, "\"in\"");
  result = runCli({"check", writeTempFile("lower.json", json)});
  EXPECT_EQ(result.out, "Country code not valid\n");
  EXPECT_EQ(runCli({"check"}, R"({"cityName": 3})").status, 2);
}

TEST(CheckRefundCli, AnswersGoodAndBadInput) {
  auto result = runCli({"check-refund"}, R"({"last4": "4242", "cardHolderName": "Jane",
    "refundAmount": "12.50"})");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  result = runCli({"check-refund"}, "{}");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "Last four digits of the card cannot be empty\n");
  result = runCli({"check-refund"}, R"({"last4": "4242", "cardHolderName": "J",
    "currencyCode": "USD", "refundAmount": "1"})");
  EXPECT_EQ(result.out, "Invalid currency code format. Currency code must be in integer format\n");
  result = runCli({"check-refund"}, R"({"last4": 4242})");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("\"last4\" must be a string"), std::string::npos);
  result = runCli({"check-refund"}, R"({"amount": "1"})");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("unknown refund field \"amount\""), std::string::npos);
}

}  // namespace
}  // namespace zelto::testing
