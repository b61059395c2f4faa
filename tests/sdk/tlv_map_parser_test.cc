#include "sdk/tlv_map_parser.h"

#include <gtest/gtest.h>
#include <zelto/payload/tlv_generator.h>
#include <zelto/sdk/zelto_payment_request.h>

#include "results/string_constants.h"
#include "sdk/session.h"

namespace zelto {
namespace {

// A merchant dictionary as a host would take it from an existing payload: valid on its own,
// with an amount, additional data and a CRC that the request mode must replace.
TagDictionary merchantDictionary() {
  return TagDictionary{
      {"00", "01"},
      {"01", "11"},
      {"02", "4111111111111111"},
      {"26", TagDictionary{{"00", "com.zelto.pay"}, {"01", "M-0001"}}},
      {"52", "5411"},
      {"53", "356"},
      {"54", "99.00"},
      {"58", "IN"},
      {"59", "ABC Store"},
      {"60", "Mumbai"},
      {"62", TagDictionary{{"01", "OLD"}}},
      {"63", "ABCD"},
  };
}

class TagDictionaryMode : public ::testing::Test {
 protected:
  void TearDown() override { ZeltoSession::sharedSession().merchantSDKEmvCoSupported = false; }
};

TEST_F(TagDictionaryMode, CopiesMerchantFieldsAndSwitchesTheSession) {
  TagDictionary dict = merchantDictionary();
  dict.set("61", OpaqueValue{"400001"});  // not a string: skipped
  dict.set("55", "02");
  const auto request = ZeltoPaymentRequest::withTagValueDictionary(dict);
  EXPECT_TRUE(ZeltoSession::sharedSession().merchantSDKEmvCoSupported);
  EXPECT_EQ(request->payloadFormatIndicator, "01");
  EXPECT_EQ(request->pointOfInitiation, "11");
  EXPECT_EQ(request->zeltoMerchantID, "4111111111111111");
  EXPECT_EQ(request->merchantName, "ABC Store");
  EXPECT_EQ(request->countryCode, "IN");
  EXPECT_EQ(request->postalCode, "");
  EXPECT_EQ(request->tipIndicator, "");  // "55" stays in the dictionary's payload
  EXPECT_EQ(request->transactionAmount, std::nullopt);
  EXPECT_EQ(request->billID, std::nullopt);
  EXPECT_EQ(TLVMapParser::shared().tLVDataDictionary, dict);
}

TEST_F(TagDictionaryMode, PayloadIsTheBaseCompletedByTheRequest) {
  const auto request = ZeltoPaymentRequest::withTagValueDictionary(merchantDictionary());
  const std::string base = TLVMapParser::shared().tlvString;
  // The dictionary's amount, additional data and CRC are dropped from the base payload.
  EXPECT_EQ(base.substr(0, base.size() - 8),
            "0002010102110216411111111111111126270013com.zelto.pay0106M-000152045411530335658"
            "02IN5909ABC Store6006Mumbai");
  EXPECT_EQ(request->getTLV(), base);  // no amount or additional data set yet

  request->transactionAmount = "10.00";
  request->billID = "1234";
  request->terminalID = "T01";
  const std::string full = request->getTLV();
  EXPECT_EQ(full.substr(0, full.size() - 8),
            base.substr(0, base.size() - 8) + "540510.006215010412340703T01");
  EXPECT_EQ(full.substr(full.size() - 8, 4), "6304");
  EXPECT_EQ(request->getTLV(), full);  // repeated updates start from the same base
  request->transactionAmount = "0";
  EXPECT_EQ(request->getTLV().find("5405"), std::string::npos);
}

TEST_F(TagDictionaryMode, CloneRebuildsFromTheDictionaryAndKeepsEdits) {
  const auto request = ZeltoPaymentRequest::withTagValueDictionary(merchantDictionary());
  request->merchantName = "Edited";
  request->transactionAmount = "5.00";
  request->purpose = "Rent";
  const auto copy = request->clone();
  EXPECT_EQ(copy->merchantName, "ABC Store");
  EXPECT_EQ(copy->tipIndicator, "");
  EXPECT_EQ(copy->transactionAmount, "5.00");
  EXPECT_EQ(copy->purpose, "Rent");
  EXPECT_TRUE(ZeltoSession::sharedSession().merchantSDKEmvCoSupported);

  ZeltoSession::sharedSession().merchantSDKEmvCoSupported = false;
  ZeltoPaymentRequest plain;
  EXPECT_EQ(plain.clone()->tipIndicator, std::nullopt);
}

TEST_F(TagDictionaryMode, ValidateReportsThePayloadValidatorsCodes) {
  auto request = ZeltoPaymentRequest::withTagValueDictionary(merchantDictionary());
  EXPECT_EQ(request->validate(), nullptr);

  // Field rules still come first.
  TagDictionary badName = merchantDictionary();
  badName.set("59", "");
  request = ZeltoPaymentRequest::withTagValueDictionary(badName);
  ASSERT_NE(request->validate(), nullptr);
  EXPECT_EQ(request->validate()->errorCodes,
            std::vector<std::string>{std::string(StringConstants::MERCHANT_NAME_NOT_VALID)});

  // Fields that pass the request rules, but a payload the validator refuses: a merchant
  // account template whose identifier is missing.
  TagDictionary badTemplate = merchantDictionary();
  badTemplate.set("26", TagDictionary{{"01", "M-0001"}});
  request = ZeltoPaymentRequest::withTagValueDictionary(badTemplate);
  const auto error = request->validate();
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->errorCodes, TLVGenerator::tlvValidation(TLVMapParser::shared().tlvString));
  EXPECT_FALSE(error->errorCodes.empty());

  // No base payload at all.
  TLVMapParser::shared().tlvString.clear();
  EXPECT_EQ(request->validate()->errorCodes, std::vector<std::string>{"0"});
}

TEST_F(TagDictionaryMode, NameKeyedDictionaryFillsTheRequestToo) {
  const TagDictionary byName{{"payloadFormatIndicator", "01"},
                             {"zeltoMerchantID", "4111111111111111"},
                             {"merchantName", "ABC Store"},
                             {"masterCardPAN1", "5105105105105100"}};
  const auto request = ZeltoPaymentRequest::withTagValueDictionary(byName);
  EXPECT_EQ(request->merchantName, "ABC Store");
  EXPECT_EQ(request->mastercardPan1, "5105105105105100");
  EXPECT_EQ(TLVMapParser::shared().tlvString.substr(0, 6), "000201");
}

TEST_F(TagDictionaryMode, AdditionalDataFitCount) {
  ZeltoPaymentRequest request;
  request.billID = std::string(95, 'b');  // sub-object of 99 characters
  EXPECT_EQ(request.getAdditionalTlvValidCount(), std::make_pair(false, true));
  request.billID = std::string(96, 'b');
  EXPECT_EQ(request.getAdditionalTlvValidCount(), std::make_pair(true, true));
  request.billID = std::string(94, 'b');
  EXPECT_EQ(request.getAdditionalTlvValidCount(), std::make_pair(false, false));
  ZeltoSession::sharedSession().sdkType = SDKType::consumer;
  request.billID = std::string(96, 'b');
  EXPECT_EQ(request.getAdditionalTlvValidCount(), std::make_pair(false, false));
  ZeltoSession::sharedSession().sdkType = SDKType::merchant;
}

}  // namespace
}  // namespace zelto
