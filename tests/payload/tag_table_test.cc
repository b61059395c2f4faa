#include "payload/tag_table.h"

#include <gtest/gtest.h>
#include <zelto/payload/merchant_tlv.h>

namespace zelto {
namespace {

TEST(TagTable, IsABijectionOf114Entries) {
  EXPECT_EQ(tagKeyMap().size(), 114u);
  EXPECT_EQ(ZeltoQRUtility::keyTagMapping().size(), 114u);
  for (const auto& [tag, name] : tagKeyMap()) {
    EXPECT_EQ(ZeltoQRUtility::keyTagMapping().at(name), tag);
  }
}

TEST(TagTable, NamesTheFieldsOfThePayload) {
  const std::pair<const char*, const char*> expected[] = {
      {"00", "payloadFormatIndicator"},
      {"01", "pointOfInitiation"},
      {"02", "zeltoMerchantID"},
      {"04", "masterCardPAN1"},
      {"08", "tag08"},
      {"16", "unionPay2"},
      {"17", "tag17"},
      {"26", "tag26"},
      {"51", "tag51"},
      {"54", "transactionAmount"},
      {"55", "tipAndFeeIndicator"},
      {"57", "convenienceFeePercentage"},
      {"61", "postalCode"},
      {"62", "additionalDataFieldTemplate"},
      {"6201", "billID"},
      {"6209", "additionalConsumerDataRequest"},
      {"6210", "tagSixtyTwo10"},
      {"6214", "addDataNpci2"},
      {"63", "crc"},
      {"64", "merchantInformationLanguageTemplate"},
      {"65", "tag65"},
      {"99", "tag99"},
  };
  for (const auto& [tag, name] : expected) EXPECT_EQ(tagKeyMap().at(tag), name) << tag;
  EXPECT_EQ(QRCodeTag::billID, "6201");
  EXPECT_EQ(QRCodeTag::crc, "63");
  EXPECT_EQ(QRCodeTag::tag99, "99");
  EXPECT_EQ(merchantInformationLanguageTemplateSubTagDictionary().at("01"),
            "merchantNameAlternateLanguage");
}

TEST(TagTable, EveryNameIsAPropertyOfTheRecordWithTheRightKind) {
  EXPECT_EQ(ZELTOMerchantTLV::properties().size() + 1, 119u);  // + isTipAvailable
  ZELTOMerchantTLV record;
  for (const auto& [tag, name] : tagKeyMap()) {
    const bool isTemplate = tag == "62" || tag == "64" ||
                            (tag.size() == 2 && ((tag >= "26" && tag <= "51") || tag >= "80"));
    if (isTemplate) {
      EXPECT_NE(record.mapProperty(name), nullptr) << name;
    } else {
      EXPECT_NE(record.stringProperty(name), nullptr) << name;
    }
  }
}

TEST(MerchantTlv, MerchantIdSetterCopiesIntoNetworkFields) {
  ZELTOMerchantTLV record;
  record.setZeltoMerchantID("5100000000000000");
  EXPECT_EQ(record.masterCardPAN1, "5100000000000000");
  EXPECT_EQ(record.npciid1, std::nullopt);
  record.setZeltoMerchantID("6070000000000000");
  EXPECT_EQ(record.npciid1, "6070000000000000");
  EXPECT_EQ(record.masterCardPAN1, "5100000000000000");
  record.setZeltoMerchantID("4111111111111111");
  record.setZeltoMerchantID(std::nullopt);
  EXPECT_EQ(record.zeltoMerchantID(), std::nullopt);
  EXPECT_EQ(record.masterCardPAN1, "5100000000000000");
  EXPECT_EQ(record.npciid1, "6070000000000000");
}

TEST(MerchantTlv, SetPropertyByNameRunsTheSameSetters) {
  ZELTOMerchantTLV record;
  EXPECT_TRUE(record.setProperty("merchantName", TagValue("ABC")));
  EXPECT_EQ(record.merchantName, "ABC");
  const TagDictionary map{{"00", "br.gov.bcb.pix"}};
  EXPECT_TRUE(record.setProperty("tag26", TagValue(map)));
  EXPECT_EQ(record.tag26, map);
  EXPECT_TRUE(record.setProperty("zeltoMerchantID", TagValue("5555")));
  EXPECT_EQ(record.masterCardPAN1, "5555");
  EXPECT_TRUE(record.setProperty("merchantName", std::nullopt));
  EXPECT_EQ(record.merchantName, std::nullopt);
  // Unknown names and mismatched kinds change nothing.
  EXPECT_FALSE(record.setProperty("noSuchProperty", TagValue("x")));
  EXPECT_FALSE(record.setProperty("tag26", TagValue("text")));
  EXPECT_FALSE(record.setProperty("cityName", TagValue(map)));
  EXPECT_EQ(record.tag26, map);
  EXPECT_EQ(record.cityName, std::nullopt);
}

}  // namespace
}  // namespace zelto
