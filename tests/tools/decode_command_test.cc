#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

const std::string kWorkedExample =
    "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510.00"
    "6215010412340703T016304FB81";

TEST(DecodeCli, PrintsTheFieldsThatAreSet) {
  const auto result = runCli({"decode", kWorkedExample});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto json = nlohmann::ordered_json::parse(result.out);
  EXPECT_EQ(json.dump(),
            R"({"isTipAvailable":false,"payloadFormatIndicator":"01","pointOfInitiation":"11",)"
            R"("zeltoMerchantID":"4111111111111111","zeltoMerchantPAN":"4111111111111111",)"
            R"("merchantCategoryCode":"5411","currencyCode":"356","transactionAmount":"10.00",)"
            R"("countryCode":"IN","merchantName":"ABC Store","cityName":"Mumbai",)"
            R"("additionalDataField":"010412340703T01",)"
            R"("additionalDataFieldTemplate":{"billID":"1234","terminalID":"T01"},)"
            R"("crc":"FB81","billID":"1234","terminalID":"T01"})");

  const auto tip = runCli({"decode", "00020155020164140002zh0104最佳运输6304ABCD"});
  ASSERT_EQ(tip.status, 0) << tip.err;
  EXPECT_EQ(nlohmann::ordered_json::parse(tip.out).dump(),
            R"({"isTipAvailable":true,"payloadFormatIndicator":"01","tipAndFeeIndicator":"01",)"
            R"("crc":"ABCD","merchantInformationLanguageTemplate":)"
            R"({"languagePreference":"zh","merchantNameAlternateLanguage":"最佳运输"}})");
}

TEST(DecodeCli, StandardInputDropsOneLineBreakOnly) {
  EXPECT_EQ(runCli({"decode"}, kWorkedExample + "\n").status, 0);
  EXPECT_EQ(runCli({"decode", "-"}, kWorkedExample + "\r\n").status, 0);
  EXPECT_EQ(runCli({"decode", "-"}, kWorkedExample).status, 0);
  // A second line break or a space is part of the text: the CRC object is then not last.
  EXPECT_EQ(runCli({"decode"}, kWorkedExample + "\n\n").out,
            "{\n  \"error\": \"invalidLength\"\n}\n");
  EXPECT_EQ(runCli({"decode"}, " " + kWorkedExample + "\n").status, 1);
}

TEST(DecodeCli, FailuresNameTheReason) {
  const std::pair<std::string, std::vector<std::string>> failures[] = {
      {"invalidLength", {"", "0", "00-1x"}},
      {"repeatedTag", {"000201000201"}},
      {"invalidTag", {"000201", "0002015A02xy6304ABCD", "0002\xff\xfe"}},
  };
  for (const auto& [reason, payloads] : failures) {
    for (const auto& payload : payloads) {
      const auto result = runCli({"decode"}, payload);
      EXPECT_EQ(result.status, 1) << payload;
      EXPECT_EQ(nlohmann::json::parse(result.out), nlohmann::json({{"error", reason}})) << payload;
      EXPECT_EQ(result.err, "");
    }
  }
  // Extra arguments are a usage error.
  EXPECT_EQ(runCli({"decode", "a", "b"}).status, 2);
}

TEST(ValidateCli, PrintsTheCodesAndExitsWithOneWhenThereAreAny) {
  const auto valid = runCli({"validate", kWorkedExample});
  EXPECT_EQ(valid.status, 0) << valid.err;
  EXPECT_EQ(valid.out, "{\n  \"qrCodeError\": [],\n  \"qrCodeData\": {}\n}\n");

  std::string wrongCrc = kWorkedExample;
  wrongCrc.back() = '0';
  const auto wrong = runCli({"validate"}, wrongCrc + "\n");
  EXPECT_EQ(wrong.status, 1);
  EXPECT_EQ(wrong.out, "{\n  \"qrCodeError\": [\n    48\n  ],\n  \"qrCodeData\": {}\n}\n");

  auto codes = [](const CliResult& result) {
    EXPECT_EQ(result.status, 1);
    return nlohmann::json::parse(result.out)["qrCodeError"];
  };
  EXPECT_EQ(codes(runCli({"validate", "0002016304AAE6"})),
            nlohmann::json::array({9, 15, 13, 7, 11}));
  EXPECT_EQ(codes(runCli({"validate", "-"}, "garbage")), nlohmann::json::array({0}));
}

}  // namespace
}  // namespace zelto::testing
