#include "sdk/request_json.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/json_reader.h"

namespace zelto {
namespace {

// readPaymentRequest reads without a tree what the tree reader and paymentRequestFromJson
// read: the same request, or the same error, for every kind of text.
TEST(ReadPaymentRequest, AgreesWithTheTreeReader) {
  const std::string deep = std::string(70, '[') + std::string(70, ']');
  const std::vector<std::string> texts = {
      R"({"merchantName": "ABC Store", "zeltoMerchantID": "4111111111111111",
          "transactionAmount": "10.00", "billID": null, "tipIndicator": "01"})",
      "{}",
      " \t{ \r\n}\n",
      // The forms the reader takes in one pass, and near misses it leaves to the parser.
      R"(  { "cityName" : "Pune" , "billID" : null , "merchantName":"" }  )",
      R"({"cityName": "Pune",})",
      "{\"cityName\": \"Pu\tne\"}",
      R"({"cityName": "Pune"}})",
      R"({"cityName" "Pune"})",
      R"({"cityName": nul})",
      R"({"cityName": "Pune")",
      R"({"cityName": "Pune", "cityName": "Delhi"})",
      R"({"cityName": "Pu\"ne", "billID": "\u0031"})",
      R"({"cityName": "Pune", "zeltoMerchantID": null})",
      R"({"merchantName": "Caf\u00e9 \"Le\" \\ \ud83d\ude00"})",
      R"({"merchantName": 5})",
      R"({"merchantName": true, "cityName": 1.5})",
      R"({"merchantName": {"a": [1, {"b": 2}]}})",
      R"({"merchantName": [], "nope": "x"})",
      R"({"merchantName": null})",
      R"({"nope": "x", "merchantName": 5})",
      R"({"cityName": "Pune", "nope": null})",
      // A property named twice: the last value counts, an earlier fault is no fault.
      R"({"merchantName": 5, "merchantName": "ABC"})",
      R"({"merchantName": "ABC", "merchantName": 5})",
      R"({"merchantName": "ABC", "cityName": "X", "merchantName": "DEF"})",
      R"({"nope": 1, "nope": "x"})",
      // A fault before a JSON error: the JSON error is reported.
      R"({"merchantName": 5, "cityName": )",
      R"({"merchantName": "ABC",})",
      "[1, 2]",
      R"("merchantName")",
      "null",
      "",
      "{\"merchantName\": \"ABC\"} x",
      // Nothing after the value but white space, a NUL byte included; no control character.
      std::string("{\"merchantName\": \"ABC\"}\0garbage", 30),
      std::string("{\"merchantName\": \"ABC\"} \0", 25),
      R"({"merchantName": "A\u0000B Store"})",
      R"({"merchantName": 5, "cityName": "\t"})",
      R"({"merchant\u007fName": "ABC"})",
      "{\"cityName\": \"Pu\x7fne\"}",
      "{\"merchantName\": " + deep + "}",
      R"({"a": {"b": )" + deep + "}}",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    const PaymentRequestFromJson direct = readPaymentRequest(text, "line 3");
    const json::ReadResult tree = json::read(text);
    if (!tree.value) {
      EXPECT_EQ(direct.request, nullptr);
      EXPECT_EQ(direct.error, tree.message("line 3"));
      continue;
    }
    const PaymentRequestFromJson expected = paymentRequestFromJson(*tree.value);
    EXPECT_EQ(direct.error, expected.error);
    ASSERT_EQ(direct.request == nullptr, expected.request == nullptr);
    if (!expected.request) continue;
    for (const auto& property : ZeltoPaymentRequest::properties()) {
      EXPECT_EQ(direct.request->property(property.name), expected.request->property(property.name))
          << property.name;
    }
  }
}

TEST(ReadPaymentRequest, ReadsEveryProperty) {
  std::string text = "{";
  for (const auto& property : ZeltoPaymentRequest::properties()) {
    if (text.size() > 1) text += ",";
    text += "\"" + std::string(property.name) + "\":\"v-" + std::string(property.name) + "\"";
  }
  text += "}";
  const PaymentRequestFromJson read = readPaymentRequest(text);
  ASSERT_NE(read.request, nullptr) << read.error;
  for (const auto& property : ZeltoPaymentRequest::properties()) {
    EXPECT_EQ(read.request->property(property.name), "v-" + std::string(property.name));
  }
}

}  // namespace
}  // namespace zelto
