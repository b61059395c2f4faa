#include <gtest/gtest.h>
#include <zelto/payload/crc16.h>
#include <zelto/sdk/zelto_payment_request.h>

namespace zelto {
namespace {

ZeltoPaymentRequest workedExample() {
  ZeltoPaymentRequest request;
  request.pointOfInitiation = "11";
  request.zeltoMerchantID = "4111111111111111";
  request.merchantName = "ABC Store";
  request.merchantCategoryCode = "5411";
  request.cityName = "Mumbai";
  request.countryCode = "IN";
  request.currencyCode = "356";
  request.transactionAmount = "10.00";
  request.billID = "1234";
  request.terminalID = "T01";
  return request;
}

TEST(PlainObjectPayload, WorkedExample) {
  EXPECT_EQ(workedExample().getTLV(),
            "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510."
            "006215010412340703T016304FB81");
}

TEST(PlainObjectPayload, DefaultRequestHasOnlyIndicatorAndCrc) {
  EXPECT_EQ(ZeltoPaymentRequest().getTLV(), "0002016304AAE6");
}

TEST(PlainObjectPayload, FixedObjectOrderWhateverTheFields) {
  ZeltoPaymentRequest request("01", "12", "4111111111111111", "N", "5411", "C", "IN", "356", "02",
                              "5.00", "", "400001", "5100", "5200", "6000", "6100");
  request.purpose = "P";
  request.billID = "B";
  EXPECT_EQ(request.getTLV().substr(0, request.getTLV().size() - 4),
            // "00" "01" "02" "59" "52" "60" "58" "53" "55" "56" "61" "04"-"07" then "62" and "63".
            "000201010212021641111111111111115901N520454116001C5802IN53033565502025"
            "6045.0061064000010404510005045200060460000704610062100101B0801P6304");
}

TEST(PlainObjectPayload, AmountOnlyWhenAPositiveNumber) {
  auto request = workedExample();
  for (const char* amount : {"0", "0.00", "-5", "abc", "1.2.3", ""}) {
    request.transactionAmount = amount;
    EXPECT_EQ(request.getTLV().find("5405"), std::string::npos) << amount;
  }
  request.transactionAmount = "0.01";
  EXPECT_NE(request.getTLV().find("54040.01"), std::string::npos);
}

TEST(PlainObjectPayload, AdditionalDataOnlyWhenAFieldIsSet) {
  auto request = workedExample();
  request.billID = "";
  request.terminalID = std::nullopt;
  const std::string payload = request.getTLV();
  EXPECT_EQ(payload.find("62"), std::string::npos);
  request.mobileNumber = "+911234";
  request.consumerID = "***";
  EXPECT_NE(request.getTLV().find("62180207+9112340603***6304"), std::string::npos);
}

TEST(PlainObjectPayload, LengthsCountCharactersAndCrcCoversUtf8) {
  auto request = workedExample();
  request.merchantName = "Café Zürich";
  const std::string payload = request.getTLV();
  EXPECT_NE(payload.find("5911Café Zürich52"), std::string::npos);
  const std::string body = payload.substr(0, payload.size() - 4);
  EXPECT_EQ(payload.substr(payload.size() - 4), crc16::crcDigits(body));
}

TEST(PlainObjectPayload, LeavesOutValuesTooLongForTwoDigitLength) {
  auto request = workedExample();
  request.merchantName = std::string(99, 'N');
  EXPECT_NE(request.getTLV().find("5999" + std::string(99, 'N')), std::string::npos);
  request.merchantName = std::string(100, 'N');
  EXPECT_EQ(request.getTLV().find("59"), std::string::npos);
  // A template whose content would reach 100 characters is left out whole.
  request = workedExample();
  request.billID = std::string(95, 'B');  // sub-object of 99 characters
  request.terminalID = std::nullopt;
  EXPECT_NE(request.getTLV().find("629901"), std::string::npos);
  request.terminalID = "T";
  EXPECT_EQ(request.getTLV().find("62"), std::string::npos);
}

TEST(AddToTLV, AppendsOnlyNonEmptyValues) {
  EXPECT_EQ(ZeltoPaymentRequest::addToTLV("", "59", ""), "");
  EXPECT_EQ(ZeltoPaymentRequest::addToTLV("", "59", std::nullopt), "");
  EXPECT_EQ(ZeltoPaymentRequest::addToTLV("AB", "59", "X"), "AB5901X");
  EXPECT_EQ(ZeltoPaymentRequest::addToTLV("", "64", "最佳运输"), "6404最佳运输");
}

TEST(PaymentRequest, InitialisersAndCloneKeepAbsentAndEmptyApart) {
  // The default initialiser leaves the optional fields absent, the other one sets them empty.
  const ZeltoPaymentRequest defaults;
  EXPECT_EQ(defaults.tipIndicator, std::nullopt);
  EXPECT_EQ(defaults.transactionAmount, std::nullopt);

  ZeltoPaymentRequest fields("01", "", "4", "N", "5411", "C", "IN", "356", "", "", "", "", "", "",
                             "", "");
  EXPECT_EQ(fields.tipIndicator, "");
  EXPECT_EQ(fields.billID, std::nullopt);

  auto original = workedExample();
  original.tipPercentage = "";
  const auto copy = original.clone();
  EXPECT_EQ(copy->tipIndicator, std::nullopt);
  EXPECT_EQ(copy->tipPercentage, "");
  EXPECT_EQ(copy->getTLV(), original.getTLV());
  copy->merchantName = "Changed";
  EXPECT_EQ(original.merchantName, "ABC Store");
}

TEST(PaymentRequest, PropertiesByName) {
  ASSERT_EQ(ZeltoPaymentRequest::properties().size(), 25u);
  EXPECT_EQ(ZeltoPaymentRequest::properties().front().name, "payloadFormatIndicator");
  EXPECT_EQ(ZeltoPaymentRequest::properties().back().name, "purpose");
  ZeltoPaymentRequest request;
  using R = ZeltoPaymentRequest::SetResult;
  EXPECT_EQ(request.setProperty("merchantName", "Shop"), R::kDone);
  EXPECT_EQ(request.merchantName, "Shop");
  EXPECT_EQ(request.setProperty("postalCode", std::nullopt), R::kDone);
  EXPECT_EQ(request.postalCode, std::nullopt);
  EXPECT_EQ(request.setProperty("merchantName", std::nullopt), R::kNotOptional);
  EXPECT_EQ(request.setProperty("merchantname", "x"), R::kUnknownProperty);
  EXPECT_EQ(request.merchantName, "Shop");
  EXPECT_EQ(request.property("merchantName"), "Shop");
}

}  // namespace
}  // namespace zelto
