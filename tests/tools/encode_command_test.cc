#include <gtest/gtest.h>

#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

TEST(EncodeCli, RequestFieldsFromStandardInputAndFile) {
  const std::string json = R"({"pointOfInitiation": "11", "zeltoMerchantID": "4111111111111111",
    "merchantName": "ABC Store", "merchantCategoryCode": "5411", "cityName": "Mumbai",
    "countryCode": "IN", "currencyCode": "356", "transactionAmount": "10.00", "billID": "1234",
    "terminalID": "T01", "tipIndicator": null})";
  const std::string expected =
      "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510.00"
      "6215010412340703T016304FB81\n";
  auto piped = runCli({"encode"}, json);
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, expected);
  auto fromFile = runCli({"encode", writeTempFile("request.json", json)});
  EXPECT_EQ(fromFile.out, expected);
  EXPECT_EQ(runCli({"encode", "-"}, "{}").out, "0002016304AAE6\n");
}

TEST(EncodeCli, TagDictionary) {
  auto result = runCli({"encode", "--tags"}, R"({"00": "01", "59": "", "62": {"05": "REF"}})");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.substr(0, 25), "000201590062070503REF6304");
  EXPECT_EQ(runCli({"encode", "--tags"}, "{}").out, "63046007\n");
}

TEST(EncodeCli, BadInputIsAnErrorNamingWhatIsWrong) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string message;
  };
  const Case cases[] = {
      {{"encode"}, R"({"merchantNam": "x"})", "unknown request property \"merchantNam\""},
      {{"encode"},
       R"({"merchantName": 5})",
       "\"merchantName\" must be a string or null, not number"},
      {{"encode"}, R"({"merchantName": null})", "\"merchantName\" cannot be null"},
      {{"encode"}, R"({"merchantName": "x",})", "invalid JSON in standard input at byte"},
      {{"encode"}, "[1]", "expected a JSON object"},
      {{"encode", "--tags"}, "\"text\"", "expected a JSON object of tags"},
      {{"encode", "/no/such/file.json"}, "", "cannot read /no/such/file.json"},
      {{"encode", "--bogus"}, "", "--bogus"},
      {{"frobnicate"}, "", "frobnicate"},
  };
  for (const auto& c : cases) {
    const auto result = runCli(c.args, c.input);
    EXPECT_EQ(result.status, 2) << c.input;
    EXPECT_EQ(result.out, "") << c.input;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

TEST(CrcCli, PrintsFourDigits) {
  EXPECT_EQ(runCli({"crc", "123456789"}).out, "29B1\n");
  EXPECT_EQ(runCli({"crc", "6304"}).out, "6007\n");
  EXPECT_EQ(runCli({"crc"}).status, 2);
}

TEST(Cli, HelpListsCommands) {
  const auto help = runCli({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* command : {"encode", "crc", "demo"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  }
  EXPECT_NE(runCli({"encode", "--help"}).out.find("--tags"), std::string::npos);
}

}  // namespace
}  // namespace zelto::testing
