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

namespace zelto::testing {
namespace {

const std::string kMerchantTags = R"({"00": "01", "01": "11", "02": "4111111111111111",
  "26": {"00": "com.zelto.pay", "01": "M-0001"}, "52": "5411", "53": "356", "54": "99.00",
  "58": "IN", "59": "ABC Store", "60": "Mumbai", "62": {"01": "OLD"}, "63": "ABCD"})";

TEST(CheckTagsCli, ReportsFieldRulesThenPayloadCodes) {
  auto result = runCli({"check", "--tags"}, kMerchantTags);
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  EXPECT_EQ(result.out, "");
  std::string badName = kMerchantTags;
  badName.replace(badName.find("\"ABC Store\""), 11, "\"\"");
  result = runCli({"check", "--tags"}, badName);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "Merchant name not valid\n");
  std::string badTemplate = kMerchantTags;
  badTemplate.replace(badTemplate.find("\"00\": \"com.zelto.pay\", "), 23, "");
  result = runCli({"check", "--tags"}, badTemplate);
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out, "");
  EXPECT_EQ(result.out.find_first_not_of("0123456789\n"), std::string::npos) << result.out;
}

TEST(EncodeRequestTagsCli, DictionaryCompletedByFields) {
  const std::string tags = writeTempFile("tags.json", kMerchantTags);
  auto base = runCli({"encode", "--request-tags", tags});
  EXPECT_EQ(base.status, 0) << base.err;
  EXPECT_EQ(base.out.find("5405"), std::string::npos);  // the dictionary's amount is dropped
  EXPECT_EQ(base.out.find("OLD"), std::string::npos);
  const std::string fields = writeTempFile(
      "fields.json", R"({"transactionAmount": "10.00", "billID": "1234", "terminalID": "T01"})");
  auto full = runCli({"encode", "--request-tags", tags, "--fields", fields});
  EXPECT_EQ(full.status, 0) << full.err;
  EXPECT_EQ(full.out.substr(0, base.out.size() - 9), base.out.substr(0, base.out.size() - 9));
  EXPECT_NE(full.out.find("Mumbai540510.006215010412340703T016304"), std::string::npos);
  auto stdinFields = runCli({"encode", "--request-tags", tags, "--fields", "-"},
                            R"({"transactionAmount": "10.00"})");
  EXPECT_NE(stdinFields.out.find("Mumbai540510.006304"), std::string::npos);
}

TEST(EncodeRequestTagsCli, RefusesWhatIsNotAnAmountOrAdditionalData) {
  const std::string tags = writeTempFile("tags2.json", kMerchantTags);
  auto result =
      runCli({"encode", "--request-tags", tags, "--fields", "-"}, R"({"merchantName": "X"})");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("\"merchantName\" is not the amount or an additional data field"),
            std::string::npos);
  EXPECT_EQ(runCli({"encode", "--fields", "-"}, "{}").status, 2);  // needs --request-tags
  EXPECT_EQ(runCli({"encode", "--tags", "--request-tags"}, "{}").status, 2);
  EXPECT_EQ(runCli({"encode", "--request-tags", "--fields", "-"}, "{}").status, 2);
}

}  // namespace
}  // namespace zelto::testing
