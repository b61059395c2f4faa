#include <gtest/gtest.h>
#include <zelto/decode/pay_merchant_tlv.h>

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
  // Stores `value` under "55" (format 01) or "9" (format 00) in a record whose flag is not yet
  // `available`.
  auto expectTip = [](bool format01, std::string_view value, bool available) {
    ZeltoPayMerchantTLV record;
    record.isTipAvailable = !available;
    EXPECT_TRUE(format01 ? record.assignTLV01("55", std::nullopt, 2, value, std::nullopt)
                         : record.assignTLV00("9", 2, value));
    EXPECT_EQ(record.isTipAvailable, available) << value;
    EXPECT_EQ(record.tipAndFeeIndicator, value);
  };
  for (std::string_view value : {"01", "03"}) expectTip(true, value, true);
  for (std::string_view value : {"1", "04"}) expectTip(true, value, false);
  expectTip(false, "02", true);
  for (std::string_view value : {"04", "2"}) expectTip(false, value, false);
}

TEST(PayMerchantTLV, FormatZeroTags) {
  ZeltoPayMerchantTLV record;
  ASSERT_EQ(record.decodeTLV("0A123456789014Cafe24541132Pu42IN53356641.5072?183abc9202a3100B13"),
            std::nullopt);
  // Lower-case "a" is tag "A"; format 00 has no payload format indicator.
  EXPECT_EQ((std::vector<std::optional<std::string>>{
                record.zeltoMerchantID(), record.merchantName, record.merchantCategoryCode,
                record.cityName, record.countryCode, record.currencyCode, record.transactionAmount,
                record.primaryID, record.secondaryID, record.tipAndFeeIndicator,
                record.convenienceFeeAmount, record.convenienceFeePercentage,
                record.payloadFormatIndicator}),
            (std::vector<std::optional<std::string>>{"1234567890", "Cafe", "5411", "Pu", "IN",
                                                     "356", "1.50", "?1", "abc", "02", "100", "3",
                                                     std::nullopt}));

  for (std::string_view tag : {"C", "c", "Z", "-", "é", "10"}) {
    EXPECT_FALSE(ZeltoPayMerchantTLV().assignTLV00(tag, 1, "x")) << tag;
  }
  EXPECT_EQ(ZeltoPayMerchantTLV().decodeTLV("C1x"), TLVDecodingError::invalidTag);

  // Raw values are exact and case-sensitive: the record upper-cases before looking them up.
  for (int i = 0; i <= static_cast<int>(PayMerchantValidTLV00::ConvenienceFeePercentage); ++i) {
    const auto tag = static_cast<PayMerchantValidTLV00>(i);
    EXPECT_EQ(payMerchantValidTLV00(rawValue(tag)), tag);
  }
  EXPECT_EQ(payMerchantValidTLV00("a"), std::nullopt);
}

TEST(PayMerchantTLV, AdditionalDataSubTags) {
  ZeltoPayMerchantTLV record;
  ASSERT_EQ(record.decodeTLV("00020162140104B0012002xy6304ABCD"), std::nullopt);
  EXPECT_EQ(record.billID, "B001");
  EXPECT_EQ(record.additionalDataFieldTemplate, (TagDictionary{{"billID", "B001"}, {"20", "xy"}}));

  auto takes = [](std::string_view subtag) {
    return ZeltoPayMerchantTLV().assignTLV01("62", subtag, 1, "x", std::nullopt);
  };
  for (std::string_view subtag : {"01", "14", "15", "99"}) EXPECT_TRUE(takes(subtag)) << subtag;
  for (std::string_view subtag : {"00", "1A", "+1", "-1"}) EXPECT_FALSE(takes(subtag)) << subtag;
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
