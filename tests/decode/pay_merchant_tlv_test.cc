#include "decode/pay_merchant_tlv.h"

#include <gtest/gtest.h>

namespace zelto {
namespace {

TEST(PayMerchantTLV, MerchantIdentifierIsMirroredByItsSetter) {
  ZeltoPayMerchantTLV mastercard;
  ASSERT_TRUE(mastercard.assignTLV01("02", std::nullopt, 16, "5555555555554444", std::nullopt));
  EXPECT_EQ(mastercard.masterCardPAN1, "5555555555554444");
  EXPECT_EQ(mastercard.zeltoMerchantPAN, "5555555555554444");
  EXPECT_EQ(mastercard.npciid1, std::nullopt);

  ZeltoPayMerchantTLV rupay;
  ASSERT_TRUE(rupay.assignTLV00("0", 4, "6011"));
  EXPECT_EQ(rupay.npciid1, "6011");
  EXPECT_EQ(rupay.zeltoMerchantPAN, std::nullopt);  // format 00 does not copy the PAN
}

TEST(PayMerchantTLV, TipIndicatorSetsIsTipAvailable) {
  struct Case {
    std::string_view format;
    std::string_view tag;
    std::string_view value;
    bool available;
  };
  const Case cases[] = {
      {"01", "55", "03", true},  {"01", "55", "01", true}, {"01", "55", "1", false},
      {"01", "55", "04", false}, {"00", "9", "02", true},  {"00", "9", "04", false},
      {"00", "9", "2", false},
  };
  for (const auto& c : cases) {
    ZeltoPayMerchantTLV record;
    record.isTipAvailable = !c.available;
    const bool taken = c.format == "01"
                           ? record.assignTLV01(c.tag, std::nullopt, 2, c.value, std::nullopt)
                           : record.assignTLV00(c.tag, 2, c.value);
    ASSERT_TRUE(taken);
    EXPECT_EQ(record.isTipAvailable, c.available) << c.tag << " " << c.value;
    EXPECT_EQ(record.tipAndFeeIndicator, c.value);
  }
}

TEST(PayMerchantTLV, FormatZeroTags) {
  ZeltoPayMerchantTLV record;
  ASSERT_EQ(record.decodeTLV("0A1234567890"
                             "14Cafe"
                             "245411"
                             "32Pu"
                             "42IN"
                             "53356"
                             "641.50"
                             "72?1"
                             "83abc"
                             "9202"
                             "a3100"
                             "B13"),
            std::nullopt);
  EXPECT_EQ(record.zeltoMerchantID(), "1234567890");
  EXPECT_EQ(record.merchantName, "Cafe");
  EXPECT_EQ(record.merchantCategoryCode, "5411");
  EXPECT_EQ(record.cityName, "Pu");
  EXPECT_EQ(record.countryCode, "IN");
  EXPECT_EQ(record.currencyCode, "356");
  EXPECT_EQ(record.transactionAmount, "1.50");
  EXPECT_EQ(record.primaryID, "?1");
  EXPECT_EQ(record.secondaryID, "abc");
  EXPECT_EQ(record.tipAndFeeIndicator, "02");
  EXPECT_EQ(record.convenienceFeeAmount, "100");  // lower-case "a" is tag "A"
  EXPECT_EQ(record.convenienceFeePercentage, "3");
  EXPECT_EQ(record.payloadFormatIndicator, std::nullopt);

  for (std::string_view tag : {"C", "c", "Z", "-", "é", "10"}) {
    EXPECT_FALSE(ZeltoPayMerchantTLV().assignTLV00(tag, 1, "x")) << tag;
  }
  EXPECT_EQ(ZeltoPayMerchantTLV().decodeTLV("C1x"), TLVDecodingError::invalidTag);

  // Raw values are exact and case-sensitive: the record upper-cases before looking them up.
  for (int i = 0; i <= static_cast<int>(PayMerchantValidTLV00::ConvenienceFeePercentage); ++i) {
    const auto tag = static_cast<PayMerchantValidTLV00>(i);
    EXPECT_EQ(payMerchantValidTLV00(rawValue(tag)), tag);
  }
  EXPECT_EQ(rawValue(PayMerchantValidTLV00::ConvenienceFeeAmount), "A");
  EXPECT_EQ(payMerchantValidTLV00("a"), std::nullopt);
}

TEST(PayMerchantTLV, AdditionalDataSubTags) {
  ZeltoPayMerchantTLV record;
  ASSERT_EQ(record.decodeTLV("00020162140104B0012002xy6304ABCD"), std::nullopt);
  EXPECT_EQ(record.billID, "B001");
  EXPECT_EQ(record.additionalDataFieldTemplate, (TagDictionary{{"billID", "B001"}, {"20", "xy"}}));

  struct Case {
    std::string_view subtag;
    bool taken;
  };
  const Case cases[] = {{"01", true},  {"14", true},  {"15", true},  {"99", true},
                        {"00", false}, {"1A", false}, {"+1", false}, {"-1", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(ZeltoPayMerchantTLV().assignTLV01("62", c.subtag, 1, "x", std::nullopt), c.taken)
        << c.subtag;
  }
  ZeltoPayMerchantTLV last;
  ASSERT_TRUE(last.assignTLV01("62", "14", 1, "N", std::nullopt));
  EXPECT_EQ(last.addDataNpci2, "N");
  EXPECT_FALSE(last.assignTLV01("62", std::nullopt, 0, "", std::nullopt));  // empty raw value
  EXPECT_EQ(ZeltoPayMerchantTLV().decodeTLV("00020162060002xy6304ABCD"),
            TLVDecodingError::invalidTag);
}

TEST(PayMerchantTLV, RefusesUnknownTagsAndValuesOfTheWrongKind) {
  ZeltoPayMerchantTLV record;
  EXPECT_FALSE(record.assignTLV01("AB", std::nullopt, 1, "x", std::nullopt));
  EXPECT_FALSE(record.assignTLV01("6", std::nullopt, 1, "x", std::nullopt));
  EXPECT_FALSE(record.assignTLV01("59", std::nullopt, 0, "", TagDictionary{{"00", "x"}}));
  EXPECT_FALSE(record.assignTLV01("26", std::nullopt, 1, "x", std::nullopt));
  EXPECT_EQ(record.merchantName, std::nullopt);
  EXPECT_EQ(record.tag26, std::nullopt);
  EXPECT_EQ(ZeltoPayMerchantTLV().decodeTLV("0002015A02xy6304ABCD"), TLVDecodingError::invalidTag);
  // A full tag of the table given directly is taken like its two-digit form.
  EXPECT_TRUE(record.assignTLV01("6201", std::nullopt, 1, "B", std::nullopt));
  EXPECT_EQ(record.billID, "B");
}

}  // namespace
}  // namespace zelto
