#include "decode/qr_error.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace zelto {
namespace {

TEST(QRCodeError, DescriptionIsEveryCodeFollowedByASpace) {
  EXPECT_EQ(QRCodeError({"9", "15"}).description(), "9 15 ");
  EXPECT_EQ(QRCodeError({}).description(), "");
  EXPECT_EQ(QRCodeError({"0", "0"}).description(), "0 0 ");
}

TEST(QRCodeError, JsonOutputIsPrettyPrintedWithNumbersInListOrder) {
  EXPECT_EQ(QRCodeError({"0"}).getJSONOutput(),
            "{\n  \"qrCodeError\": [\n    0\n  ],\n  \"qrCodeData\": {}\n}");
  EXPECT_EQ(QRCodeError({}).getJSONOutput(), "{\n  \"qrCodeError\": [],\n  \"qrCodeData\": {}\n}");

  const auto json =
      nlohmann::ordered_json::parse(QRCodeError({"9", "15", "13", "9", "007"}).getJSONOutput());
  EXPECT_EQ(json.dump(), R"({"qrCodeError":[9,15,13,9,7],"qrCodeData":{}})");
}

TEST(QRCodeError, CodesThatAreNotIntegersStayStrings) {
  const auto json = nlohmann::ordered_json::parse(
      QRCodeError({"48", "Merchant ID not valid", "", "1.5", "é", "\xff"}).getJSONOutput());
  EXPECT_EQ(json.dump(),
            R"({"qrCodeError":[48,"Merchant ID not valid","","1.5","é","�"],"qrCodeData":{}})");
  // The text itself is ASCII.
  for (char c : QRCodeError({"é"}).getJSONOutput()) {
    EXPECT_LT(static_cast<unsigned char>(c), 0x80);
  }
}

TEST(QRError, DictionaryOutputHasExactlyTwoEntries) {
  const QRError error("48", "crcInvalidValue");
  EXPECT_EQ(error.dictionaryOutput(),
            (std::map<std::string, std::string>{{"errorCode", "48"},
                                                {"errorDescription", "crcInvalidValue"}}));
}

}  // namespace
}  // namespace zelto
