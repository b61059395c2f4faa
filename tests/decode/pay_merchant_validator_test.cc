#include "decode/pay_merchant_validator.h"

#include <gtest/gtest.h>

#include <thread>

#include "payload/crc16.h"
#include "payload/tlv_generator.h"
#include "platform/debug_console.h"

namespace zelto {
namespace {

using Codes = std::vector<std::string>;

// `body` closed by "6304" and its correct CRC.
std::string withCrc(std::string body) {
  body += "6304";
  return body + crc16::crcDigits(body);
}

// The worked example without its CRC object: a valid payload.
constexpr std::string_view kValidBody =
    "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510.00"
    "6215010412340703T01";

// The worked example with each object of `changes` replacing the one under its tag (added when
// absent; an empty string removes it), encoded again so that every length and the CRC are right.
std::string variant(const TagDictionary& changes) {
  TagDictionary dict{{"00", "01"},
                     {"01", "11"},
                     {"02", "4111111111111111"},
                     {"59", "ABC Store"},
                     {"52", "5411"},
                     {"60", "Mumbai"},
                     {"58", "IN"},
                     {"53", "356"},
                     {"54", "10.00"},
                     {"62", TagDictionary{{"01", "1234"}, {"07", "T01"}}}};
  for (const auto& [key, value] : changes) {
    if (value.string() != nullptr && value.string()->empty()) {
      dict.erase(key);
    } else {
      dict.set(key, value);
    }
  }
  return TLVGenerator::encodeDictToTLV(dict);
}

TEST(TlvValidation, ValidPayloadsHaveNoCodes) {
  EXPECT_EQ(withCrc(std::string(kValidBody)),
            "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510.00"
            "6215010412340703T016304FB81");
  EXPECT_EQ(TLVGenerator::tlvValidation(withCrc(std::string(kValidBody))), Codes{});
  EXPECT_EQ(TLVGenerator::tlvValidation(variant({})), Codes{});
}

TEST(TlvValidation, EmptyPayloadReportsAbsentFieldsInRuleOrder) {
  const std::string payload = withCrc("000201");
  EXPECT_EQ(TLVGenerator::tlvValidation(payload), (Codes{"9", "15", "13", "7", "11"}));
  std::string wrong = payload;
  wrong.back() = wrong.back() == '0' ? '1' : '0';
  EXPECT_EQ(TLVGenerator::tlvValidation(wrong), (Codes{"9", "15", "13", "7", "11", "48"}));
}

TEST(TlvValidation, UndecodableTextIsMalformedAlone) {
  for (std::string_view text : {"", "0",
                                "0002015900"
                                "6304ABCD",
                                "000201", "00020100020163041234", "0002015A01x6304ABCD", "C1x"}) {
    EXPECT_EQ(TLVGenerator::tlvValidation(text), Codes{"0"}) << text;
  }
}

TEST(TlvValidation, CrcRule) {
  const std::string good = withCrc(std::string(kValidBody));
  std::string lower = good;
  for (std::size_t i = lower.size() - 4; i < lower.size(); ++i) lower[i] = std::tolower(lower[i]);
  EXPECT_EQ(TLVGenerator::tlvValidation(lower), Codes{});  // hexadecimal in either case
  const std::string body(kValidBody);
  for (std::string crc : {"6304FB80", "6304XXXX", "6303FB8", "6305FB810", "6304FB8G"}) {
    EXPECT_EQ(TLVGenerator::tlvValidation(body + crc), Codes{"48"}) << crc;
  }
  // The checksum covers the UTF-8 bytes of a non-ASCII name.
  EXPECT_EQ(TLVGenerator::tlvValidation(variant({{"59", "Café Zoë"}})), Codes{});
}

TEST(TlvValidation, EachRuleReportsItsCode) {
  struct Case {
    const char* what;
    TagDictionary changes;
    Codes expected;
  };
  const Case cases[] = {
      // Payload format indicator.
      {"indicator 02", {{"00", "02"}}, {"42"}},
      {"indicator 001", {{"00", "001"}}, {"41"}},
      {"indicator ABC", {{"00", "ABC"}}, {"41", "42"}},
      // Merchant identifier.
      {"id absent", {{"02", ""}}, {}},
      {"id Luhn", {{"02", "4111111111111112"}}, {"3"}},
      {"id starts with 5", {{"02", "5555555555554444"}}, {"1"}},
      {"id short", {{"02", "4111"}}, {"2", "3"}},
      {"id letters", {{"02", "4111111111111A11"}}, {"4", "3"}},
      {"id 15, valid as PAN", {{"02", "411111111111113"}}, {}},
      {"id 15, valid only raw", {{"02", "411111111111116"}}, {"3"}},
      // Category code.
      {"mcc absent", {{"52", ""}}, {"9"}},
      {"mcc 3 digits", {{"52", "541"}}, {"8"}},
      {"mcc letter", {{"52", "54A1"}}, {"8"}},
      // Currency.
      {"currency absent", {{"53", ""}}, {"15"}},
      {"currency unknown", {{"53", "000"}}, {"14"}},
      {"currency SVC not valid", {{"53", "222"}}, {"14"}},
      {"currency XXX valid", {{"53", "999"}}, {}},
      {"currency alphabetic", {{"53", "INR"}}, {"14"}},
      // Amount.
      {"amount comma", {{"54", "1,00"}}, {"17"}},
      {"amount 13 digits", {{"54", "1234567890123"}}, {"16"}},
      {"amount 12 digits", {{"54", "123456789012"}}, {}},
      {"amount 13 characters", {{"54", "123456789.123"}}, {}},
      {"amount 14 characters", {{"54", "1234567890.123"}}, {"16"}},
      {"amount zero", {{"54", "0.00"}}, {"17"}},
      {"amount negative", {{"54", "-1"}}, {"17"}},
      {"amount exponent", {{"54", "1e5"}}, {"17"}},
      {"amount absent", {{"54", ""}}, {}},
      // Tip and fee indicator.
      {"tip 05 with fee", {{"55", "05"}, {"56", "1.00"}}, {"28"}},
      {"fee without tip", {{"56", "1.00"}}, {"29"}},
      {"percentage without tip", {{"57", "5"}}, {"29"}},
      {"tip 01 with both", {{"55", "01"}, {"56", "1.00"}, {"57", "5"}}, {"29"}},
      {"tip 01 alone", {{"55", "01"}}, {}},
      {"fee 02 without amount", {{"55", "02"}, {"57", "5"}}, {"39"}},
      {"fee 02", {{"55", "02"}, {"56", "12.50"}}, {}},
      {"fee 02 letter", {{"55", "02"}, {"56", "12a"}}, {"31"}},
      {"fee 02 14 chars", {{"55", "02"}, {"56", "12345678901234"}}, {"31"}},
      {"fee 02 zero", {{"55", "02"}, {"56", "0"}}, {"32"}},
      {"fee 03 without percentage", {{"55", "03"}, {"56", "1"}}, {"39"}},
      {"fee 03 100", {{"55", "03"}, {"57", "100"}}, {"36"}},
      {"fee 03 0.01", {{"55", "03"}, {"57", "0.01"}}, {}},
      {"fee 03 99.99", {{"55", "03"}, {"57", "99.99"}}, {}},
      {"fee 03 0.001", {{"55", "03"}, {"57", "0.001"}}, {"36"}},
      {"fee 03 100.00", {{"55", "03"}, {"57", "100.00"}}, {"35", "36"}},
      {"fee 03 percent sign", {{"55", "03"}, {"57", "5%"}}, {"36"}},
      // Country, name, city, postal code.
      {"country absent", {{"58", ""}}, {"13"}},
      {"country lower case", {{"58", "in"}}, {"12"}},
      {"country unknown", {{"58", "XX"}}, {"12"}},
      {"name absent", {{"59", ""}}, {"7"}},
      {"name 25", {{"59", std::string(25, 'n')}}, {}},
      {"name 26", {{"59", std::string(26, 'n')}}, {"6"}},
      {"name 25 non-ASCII", {{"59", "Zoë " + std::string(21, 'n')}}, {}},
      {"city absent", {{"60", ""}}, {"11"}},
      {"city 16", {{"60", "Sao Joao del Rei"}}, {"10"}},
      {"postal 10", {{"61", "1234567890"}}, {}},
      {"postal 11", {{"61", "12345678901"}}, {"43"}},
      // Additional data template.
      {"62 sub-field 26", {{"62", TagDictionary{{"05", std::string(26, 'r')}}}}, {"45"}},
      {"62 sub-field 20 long", {{"62", TagDictionary{{"20", std::string(26, 'r')}}}}, {"45"}},
      {"62 consumer data AME", {{"62", TagDictionary{{"09", "AME"}}}}, {}},
      {"62 consumer data AMEE", {{"62", TagDictionary{{"09", "AMEE"}}}}, {"46"}},
      {"62 consumer data X", {{"62", TagDictionary{{"09", "X"}}}}, {"46"}},
      // Language template.
      {"64 valid", {{"64", TagDictionary{{"00", "ZH"}, {"01", "最佳运输"}, {"02", "北京"}}}}, {}},
      {"64 without 00", {{"64", TagDictionary{{"01", "Cafe"}}}}, {"51"}},
      {"64 without 01", {{"64", TagDictionary{{"00", "en"}}}}, {"52"}},
      {"64 without both", {{"64", TagDictionary{{"02", "Pune"}}}}, {"51", "52"}},
      {"64 00 of 3", {{"64", TagDictionary{{"00", "eng"}, {"01", "Cafe"}}}}, {"53"}},
      {"64 01 of 26", {{"64", TagDictionary{{"00", "en"}, {"01", std::string(26, 'c')}}}}, {"54"}},
      {"64 02 of 1", {{"64", TagDictionary{{"00", "en"}, {"01", "C"}, {"02", "P"}}}}, {"55"}},
      {"64 02 of 16",
       {{"64", TagDictionary{{"00", "en"}, {"01", "C"}, {"02", std::string(16, 'p')}}}},
       {"55"}},
      // Merchant account templates.
      {"26 valid", {{"26", TagDictionary{{"00", "com.example"}, {"01", "x"}}}}, {}},
      {"26 without 00", {{"26", TagDictionary{{"01", "x"}}}}, {"49"}},
      {"26 00 of 33", {{"26", TagDictionary{{"00", std::string(33, 'g')}}}}, {"50"}},
      {"80 without 00 is not checked", {{"80", TagDictionary{{"01", "x"}}}}, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TLVGenerator::tlvValidation(variant(c.changes)), c.expected) << c.what;
  }
}

TEST(TlvValidation, CodesFollowRuleOrderAndAppearOnce) {
  const TagDictionary changes{
      {"26", TagDictionary{{"01", "x"}}},  // 49
      {"27", TagDictionary{{"01", "y"}}},  // 49 again
      {"64", TagDictionary{{"02", "P"}}},  // 51, 52, 55
      {"62", TagDictionary{{"20", std::string(26, 'r')}, {"01", std::string(26, 'b')}}},  // 45
      {"61", "12345678901"},                                                              // 43
      {"60", "Sao Joao del Rei"},                                                         // 10
      {"59", std::string(26, 'n')},                                                       // 6
      {"58", "in"},                                                                       // 12
      {"55", "05"},                                                                       // 28
      {"54", "1,0"},                                                                      // 17
      {"53", "000"},                                                                      // 14
      {"52", "54A1"},                                                                     // 8
      {"02", "5111"},                                                                     // 1, 2, 3
      {"00", "0A"},  // 42 twice
  };
  std::string payload = variant(changes);
  payload.replace(payload.size() - 4, 4, "0000");
  EXPECT_EQ(TLVGenerator::tlvValidation(payload),
            (Codes{"42", "1", "2", "3", "8", "14", "17", "28", "12", "6", "10", "43", "45", "51",
                   "52", "55", "49", "48"}));
}

TEST(TlvValidation, TemplateKeysAreVisitedSorted) {
  // In the text "09" (additionalConsumerDataRequest) comes before "20"; sorted, "20" comes first.
  const std::string payload =
      variant({{"62", TagDictionary{{"09", "X"}, {"20", std::string(26, 'r')}}}});
  EXPECT_LT(payload.find("0901X"), payload.find("2026"));
  EXPECT_EQ(TLVGenerator::tlvValidation(payload), (Codes{"45", "46"}));
}

TEST(TlvValidation, FormatZeroRules) {
  // Name, category code, city, country and currency: the fields format 00 requires.
  const std::string base =
      "11N245411"
      "36Mumbai42IN53356";
  struct Case {
    std::string text;
    Codes expected;
  };
  const Case cases[] = {
      {"10", {"6", "9", "11", "13", "15"}},
      {"044111", {"2", "3", "7", "9", "11", "13", "15"}},
      {"0G4111111111111111" + base, {}},
      {base + "615", {}},
      {base + "631,5", {"17"}},
      {base + "72?z", {"23"}},
      {base + "72?1", {}},
      {base + "73?12", {"20"}},
      {base + "70", {"20", "21"}},
      {base + "7R" + std::string(27, 'p'), {"20"}},
      {base + "82?z", {"24"}},
      {base + "83?12", {"24"}},
      {base + "80", {"24", "25"}},
      {base + "9202A0", {"31", "32", "34"}},
      {base + "9203B0", {"35", "38"}},
      {base + "9203b3100", {"36"}},
      {base + "A11", {"29"}},
      {base + "9201", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TLVGenerator::tlvValidation(c.text), c.expected) << c.text;
  }
}

TEST(TlvValidation, ThreadsDoNotMixTheirLists) {
  const std::string valid = withCrc(std::string(kValidBody));
  const std::string empty = withCrc("000201");
  bool otherMixed = false;
  bool mainMixed = false;
  std::thread other([&] {
    for (int i = 0; i < 2000; ++i) otherMixed |= !TLVGenerator::tlvValidation(valid).empty();
  });
  for (int i = 0; i < 2000; ++i) {
    mainMixed |= TLVGenerator::tlvValidation(empty) != Codes{"9", "15", "13", "7", "11"};
  }
  other.join();
  EXPECT_FALSE(otherMixed);
  EXPECT_FALSE(mainMixed);
}

TEST(PayMerchantTLVValidator, EmptyValuesAndAbsentRecords) {
  auto& validator = ZeltoPayMerchantTLVValidator::sharedValidator();
  EXPECT_EQ(validator.validatePayMerchantTLV01(nullptr), Codes{});
  EXPECT_EQ(validator.validatePayMerchantTLV00(nullptr), Codes{});

  ZeltoPayMerchantTLV record;
  record.payloadFormatIndicator = "";
  record.transactionAmount = "";
  record.merchantCategoryCode = "5411";
  record.currencyCode = "356";
  record.countryCode = "IN";
  record.merchantName = "";
  record.cityName = "";
  record.postalCode = "";
  record.tipAndFeeIndicator = "02";
  record.convenienceFeeAmount = "";
  record.setZeltoMerchantID("");
  EXPECT_EQ(validator.validatePayMerchantTLV01(&record),
            (Codes{"41", "2", "4", "16", "17", "18", "31", "32", "34", "6", "10", "43"}));
  // The list is emptied by the next validation.
  EXPECT_EQ(validator.validatePayMerchantTLV00(nullptr), Codes{});
  EXPECT_EQ(validator.errorCodes(), Codes{});
}

TEST(PayMerchantTLVValidator, TemplatesFilledByHandMayHoldAnyNumberOfEntries) {
  ZeltoPayMerchantTLV record;
  record.additionalDataFieldTemplate.emplace();
  record.merchantInformationLanguageTemplate.emplace();
  for (int i = 40; i > 0; --i) {
    record.additionalDataFieldTemplate->set("k" + std::to_string(i), std::string(i, 'v'));
    record.merchantInformationLanguageTemplate->set("k" + std::to_string(i), "x");
  }
  record.additionalDataFieldTemplate->set("additionalConsumerDataRequest", "Q");  // sorts first
  auto& validator = ZeltoPayMerchantTLVValidator::sharedValidator();
  validator.validatePayMerchantTLV01(&record);
  EXPECT_EQ(validator.errorCodes(), (Codes{"9", "15", "13", "7", "11", "46", "45", "51", "52"}));
}

TEST(PayMerchantTLVValidator, MerchantIdToPan) {
  using V = ZeltoPayMerchantTLVValidator;
  EXPECT_EQ(V::convertMerchantIdToPan("41234567890"), "4123450000067890");
  EXPECT_EQ(V::convertMerchantIdToPan("4123456"), "4123450000000006");
  EXPECT_EQ(V::convertMerchantIdToPan("412345678901234"), "4123450678901234");
  EXPECT_EQ(V::convertMerchantIdToPan("412345"), "412345");
  EXPECT_EQ(V::convertMerchantIdToPan("4123456789012345"), "4123456789012345");
  EXPECT_EQ(V::convertMerchantIdToPan("ÄÖÜßéèê12"), "ÄÖÜßéè0000000ê12");

  EXPECT_TRUE(V::luhnsAlgorithmCheck("4111111111111111"));
  EXPECT_TRUE(V::luhnsAlgorithmCheck("79927398713"));
  EXPECT_FALSE(V::luhnsAlgorithmCheck("79927398710"));
  EXPECT_TRUE(V::luhnsAlgorithmCheck(""));
  EXPECT_TRUE(V::luhnsAlgorithmCheck("abc"));
  // A non-digit is skipped but keeps its number: the digits after it change parity.
  EXPECT_FALSE(V::luhnsAlgorithmCheck("4111 1111 1111 1111"));
  EXPECT_FALSE(V::luhnsAlgorithmCheck("7992739871x3"));
  EXPECT_TRUE(V::luhnsAlgorithmCheck("x79927398713"));
  EXPECT_FALSE(V::luhnsAlgorithmCheck("7992739871é3"));  // one character, like "x"
}

TEST(StringOperations, RegexFormatAndCaseInsensitiveEquality) {
  EXPECT_TRUE(isMatchingRegex("b+", "abbc"));
  EXPECT_FALSE(isMatchingRegex("^b", "abc"));
  {
    platform::ScopedDebugConsoleCapture console;
    EXPECT_FALSE(isMatchingRegex("[", "["));  // does not compile
    EXPECT_EQ(console.lines(), std::vector<std::string>{"Error: invalid regular expression ["});
  }
  EXPECT_TRUE(isValidFormat("?", PRIMARY_ID_REGEX));
  EXPECT_TRUE(isValidFormat("?q", PRIMARY_ID_REGEX));
  EXPECT_TRUE(isValidFormat("?Q", PRIMARY_ID_REGEX));
  EXPECT_FALSE(isValidFormat("?r", PRIMARY_ID_REGEX));
  EXPECT_FALSE(isValidFormat("?0", PRIMARY_ID_REGEX));
  EXPECT_FALSE(isValidFormat("?é", PRIMARY_ID_REGEX));
  EXPECT_TRUE(isEqualTo("AbC", "aBc"));
  EXPECT_TRUE(isEqualTo("ÉTÉ", "été"));
  EXPECT_FALSE(isEqualTo("01", "1"));
}

}  // namespace
}  // namespace zelto
