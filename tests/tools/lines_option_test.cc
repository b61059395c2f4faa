#include <gtest/gtest.h>
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/tlv_generator.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "payload/tag_dictionary_json.h"
#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

const std::string kWorkedExample =
    "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510.00"
    "6215010412340703T016304FB81";

// Payloads of every kind: valid ones with distinct merchant names (and CRCs), broken CRCs,
// missing fields, text that does not decode, non-ASCII text.
std::string mixedPayloads(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) {
    const std::string name = "Store " + std::to_string(i % 1000);
    std::string payload =
        TLVGenerator::encodeDictToTLV({{"00", "01"}, {"59", name}, {"60", "Pune"}});
    switch (i % 5) {
      case 1:
        payload.back() = payload.back() == '0' ? '1' : '0';
        break;
      case 2:
        payload = kWorkedExample;
        break;
      case 3:
        payload = "00020" + std::to_string(i);
        break;
      case 4:
        payload = "000201591" + std::to_string(i % 10) + "Caf\xc3\xa9";
        break;
    }
    lines += payload + (i % 7 == 0 ? "\r\n" : "\n");
  }
  return lines;
}

TEST(LinesCli, ValidateMatchesTheValidatorLineByLineWhateverTheThreads) {
  const std::string input = mixedPayloads(20000);
  const auto one = runCli({"validate", "--lines", "-j", "1"}, input);
  EXPECT_EQ(one.status, 1) << one.err;
  for (const char* jobs : {"2", "7"}) {
    const auto many = runCli({"validate", "--lines", "-j", jobs}, input);
    EXPECT_EQ(many.status, 1);
    EXPECT_TRUE(many.out == one.out) << "-j " << jobs << " differs from -j 1";
  }
  std::istringstream in(input);
  std::istringstream out(one.out);
  std::string payload;
  std::string result;
  int number = 0;
  while (std::getline(in, payload)) {
    ++number;
    if (payload.ends_with('\r')) payload.pop_back();
    ASSERT_TRUE(std::getline(out, result)) << "no result for line " << number;
    const auto json = nlohmann::json::parse(result);
    ASSERT_EQ(json["line"], number);
    std::vector<std::string> codes;
    for (const auto& code : json["qrCodeError"]) codes.push_back(std::to_string(code.get<int>()));
    ASSERT_EQ(codes, TLVGenerator::tlvValidation(payload)) << payload;
  }
  EXPECT_FALSE(std::getline(out, result));
}

TEST(LinesCli, ABadLineGetsItsOwnResultAndTheRunGoesOn) {
  const std::string input = kWorkedExample + "\n\n0002016304AAE6\r\n" + kWorkedExample;
  auto result = runCli({"validate", "--lines"}, input);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out,
            "{\"line\":1,\"qrCodeError\":[],\"qrCodeData\":{}}\n"
            "{\"line\":3,\"qrCodeError\":[9,15,13,7,11],\"qrCodeData\":{}}\n"
            "{\"line\":4,\"qrCodeError\":[],\"qrCodeData\":{}}\n");
  result = runCli({"validate", "--lines"}, kWorkedExample + "\n\n");
  EXPECT_EQ(result.status, 0) << result.err;

  result = runCli({"decode", "--lines"}, "0002016304AAE6\n00020\nbad\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out,
            "{\"line\":1,\"isTipAvailable\":false,\"payloadFormatIndicator\":\"01\","
            "\"crc\":\"AAE6\"}\n"
            "{\"line\":2,\"error\":\"invalidLength\"}\n"
            "{\"line\":3,\"error\":\"invalidLength\"}\n");
  EXPECT_EQ(runCli({"decode", "--lines"}, kWorkedExample).status, 0);
}

// Each decoded line is written straight to text; the JSON tree of the decoded record, printed
// compactly, is the reference: the same members in the same order, escaped the same way.
TEST(LinesCli, DecodeWritesWhatTheRecordsJsonTreePrints) {
  std::vector<std::string> payloads;
  std::ifstream corpus(ZELTO_SHARED_DIR "/corpus/emv-mpm-payloads.tsv");
  std::string row;
  std::getline(corpus, row);  // header
  while (std::getline(corpus, row)) payloads.push_back(row.substr(0, row.find('\t')));
  // Text JSON must escape or replace: quotes, backslashes, control characters, ill-formed UTF-8;
  // templates, and a template with nothing in it.
  for (const std::string name :
       {"Say \"Hi\"", "C:\\Shop", "Tab\tBar\x01", "Caf\xc3\xa9", "Bad\xff\xfe", "\xe2\x82"}) {
    payloads.push_back(
        TLVGenerator::encodeDictToTLV({{"00", "01"},
                                       {"26", TagDictionary{{"00", "com.example"}, {"01", name}}},
                                       {"59", name},
                                       {"60", "Pune"},
                                       {"62", TagDictionary{{"01", "1234"}, {"07", name}}}}));
  }
  payloads.push_back(TLVGenerator::encodeDictToTLV({{"00", "01"}, {"62", TagDictionary{}}}));
  std::string input;
  for (const auto& payload : payloads) input += payload + "\n";

  const auto result = runCli({"decode", "--lines", "-j", "2"}, input);
  std::istringstream out(result.out);
  std::string line;
  int decoded = 0;
  for (std::size_t i = 0; i < payloads.size(); ++i) {
    ASSERT_TRUE(std::getline(out, line)) << "no result for line " << i + 1;
    ZeltoPayMerchantTLV record;
    nlohmann::ordered_json expected = {{"line", i + 1}};
    if (const auto error = record.decodeTLV(payloads[i])) {
      expected["error"] = caseName(*error);
    } else {
      ++decoded;
      expected["isTipAvailable"] = record.isTipAvailable;
      expected.update(tagDictionaryToJson(record.presentProperties()));
    }
    EXPECT_EQ(line, expected.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace))
        << payloads[i];
  }
  EXPECT_GT(decoded, 100);
}

TEST(LinesCli, EncodeGivesTheSingleCommandsPayloadOrTheErrorOfEachLine) {
  const std::string request =
      R"({"pointOfInitiation": "11", "zeltoMerchantID": "4111111111111111", )"
      R"("merchantName": "ABC Store", "merchantCategoryCode": "5411", "cityName": "Mumbai", )"
      R"("countryCode": "IN", "currencyCode": "356", "transactionAmount": "10.00", )"
      R"("billID": "1234", "terminalID": "T01", "tipIndicator": null})";
  const std::string accented = "{\"merchantName\": \"Caf\xc3\xa9\"}";
  std::string accentedPayload = runCli({"encode"}, accented).out;
  accentedPayload.pop_back();
  EXPECT_EQ(accentedPayload.substr(0, 15), "0002015904Caf\xc3\xa9");
  auto result =
      runCli({"encode", "--lines"}, request + "\n{\"merchantName\": 5}\n[1]\n" + accented);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "{\"line\":1,\"payload\":\"" + kWorkedExample +
                            "\"}\n"
                            "{\"line\":2,\"error\":\"\\\"merchantName\\\" must be a string or "
                            "null, not number\"}\n"
                            "{\"line\":3,\"error\":\"expected a JSON object of request "
                            "properties\"}\n"
                            "{\"line\":4,\"payload\":\"" +
                            accentedPayload + "\"}\n");
  EXPECT_EQ(runCli({"encode", "--lines"}, request + "\n").status, 0);

  result = runCli({"encode", "--tags", "--lines"}, "{\"00\": \"01\", \"59\": \"ABC\"}\n{\"00\"\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out.substr(0, 55),
            "{\"line\":1,\"payload\":\"0002015903ABC6304841B\"}\n{\"line\":2,");
  EXPECT_NE(result.out.find("\"error\":\"invalid JSON at byte"), std::string::npos);
}

TEST(LinesCli, SeveralFilesAreNumberedEachFromOneAndNamed) {
  const std::string first = writeTempFile("first.txt", kWorkedExample + "\n" + kWorkedExample);
  const std::string second = writeTempFile("second.txt", "x\n");
  const auto result = runCli({"validate", "--lines", first, second});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "{\"line\":1,\"file\":\"" + first +
                            "\",\"qrCodeError\":[],\"qrCodeData\":{}}\n"
                            "{\"line\":2,\"file\":\"" +
                            first +
                            "\",\"qrCodeError\":[],\"qrCodeData\":{}}\n"
                            "{\"line\":1,\"file\":\"" +
                            second + "\",\"qrCodeError\":[0],\"qrCodeData\":{}}\n");
}

TEST(LinesCli, UsageAndInputErrorsExitWithTwo) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"validate", "--lines", "/no/such/file"},
       "zelto: cannot read /no/such/file: No such file or directory\n"},
      {{"decode", "--lines", "/"}, "zelto: cannot read /: a folder, not a regular file\n"},
      {{"validate", "a", "b"},
       "zelto: one payload at a time (--lines reads payloads a line from files)\n"},
      {{"encode", "a.json", "b.json"},
       "zelto: one input at a time (--lines reads several files)\n"},
      {{"validate", "-j", "2", "x"}, "zelto: --jobs requires --lines\n"},
      {{"validate", "--lines", "-j", "0"}, ""},
      {{"encode", "--lines", "--request-tags", "x"}, ""},
  };
  for (const Case& c : cases) {
    const auto result = runCli(c.args);
    EXPECT_EQ(result.status, 2) << c.args[1];
    EXPECT_EQ(result.out, "");
    if (!c.error.empty()) {
      EXPECT_EQ(result.err.substr(0, c.error.size()), c.error);
    }
  }
}

}  // namespace
}  // namespace zelto::testing
