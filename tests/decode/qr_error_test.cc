#include <gtest/gtest.h>
#include <zelto/decode/qr_error.h>

#include <nlohmann/json.hpp>

namespace zelto {
namespace {

TEST(QRCodeError, DescriptionIsEveryCodeFollowedByASpace) {
  EXPECT_EQ(QRCodeError({"9", "15"}).description(), "9 15 ");
  EXPECT_EQ(QRCodeError({}).description(), "");
}

TEST(QRCodeError, JsonOutputIsPrettyPrintedWithNumbersInListOrder) {
  EXPECT_EQ(QRCodeError({"0"}).getJSONOutput(),
            "{\n  \"qrCodeError\": [\n    0\n  ],\n  \"qrCodeData\": {}\n}");
  EXPECT_EQ(QRCodeError({}).getJSONOutput(), "{\n  \"qrCodeError\": [],\n  \"qrCodeData\": {}\n}");
  // Codes that are not integers stay strings; the text itself is ASCII.
  EXPECT_EQ(QRCodeError({"é"}).getJSONOutput(),
            "{\n  \"qrCodeError\": [\n    \"\\u00e9\"\n  ],\n  \"qrCodeData\": {}\n}");
  const auto json = nlohmann::ordered_json::parse(
      QRCodeError({"9", "15", "13", "9", "007", "Merchant ID not valid", "", "1.5", "\xff"})
          .getJSONOutput());
  EXPECT_EQ(
      json.dump(),
      R"({"qrCodeError":[9,15,13,9,7,"Merchant ID not valid","","1.5","�"],"qrCodeData":{}})");
}

TEST(QRError, DictionaryOutputHasExactlyTwoEntries) {
  EXPECT_EQ(QRError("48", "crcInvalidValue").dictionaryOutput(),
            (std::map<std::string, std::string>{{"errorCode", "48"},
                                                {"errorDescription", "crcInvalidValue"}}));
}

}  // namespace
}  // namespace zelto
