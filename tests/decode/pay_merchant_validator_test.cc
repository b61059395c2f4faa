#include "decode/pay_merchant_validator.h"

#include <gtest/gtest.h>
#include <zelto/payload/crc16.h>
#include <zelto/payload/tlv_generator.h>

#include <thread>

namespace zelto {
namespace {

using Codes = std::vector<std::string>;

// The codes found in `payload`, each followed by a space.
std::string codesOf(std::string_view payload) {
  std::string joined;
  for (const auto& code : TLVGenerator::tlvValidation(payload)) joined += code + " ";
  return joined;
}

// `body` closed by "6304" and its correct CRC.
std::string withCrc(std::string body) {
  body += "6304";
  return body + crc16::crcDigits(body);
}

// A valid payload with each object of `changes` replacing the one under its tag (added when
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

TEST(TlvValidation, UndecodableTextIsMalformedAlone) {
  for (std::string_view text : {"", "0", "00020159006304ABCD", "000201", "00020100020163041234",
                                "0002015A01x6304ABCD", "C1x"}) {
    EXPECT_EQ(codesOf(text), "0 ") << text;
  }
}

TEST(TlvValidation, CrcRule) {
  const std::string good = variant({});
  ASSERT_EQ(codesOf(good), "");
  std::string lower = good;
  for (std::size_t i = lower.size() - 4; i < lower.size(); ++i) lower[i] = std::tolower(lower[i]);
  EXPECT_EQ(codesOf(lower), "");  // hexadecimal in either case
  const std::string body = good.substr(0, good.size() - 8);
  const std::string crc = good.substr(good.size() - 4, 3);
  for (std::string object :
       {"6304" + crc + (good.back() == '0' ? "1" : "0"), std::string("6304XXXX"), "6303" + crc,
        "6305" + crc + "00", "6304" + crc + "G"}) {
    EXPECT_EQ(codesOf(body + object), "48 ") << object;
  }
  // The checksum covers the UTF-8 bytes of a non-ASCII name.
  EXPECT_EQ(codesOf(variant({{"59", "Café Zoë"}})), "");
}

TEST(TlvValidation, EachFieldRuleReportsItsCode) {
  // Every value of `values` under `tag` (empty: the object is removed) makes a valid payload
  // report `codes`.
  auto expectCodes = [](const std::string& tag, std::string_view codes, const Codes& values) {
    for (const auto& value : values) {
      EXPECT_EQ(codesOf(variant({{tag, value}})), codes) << tag << " = \"" << value << '"';
    }
  };
  expectCodes("00", "42 ", {"02"});
  expectCodes("00", "41 ", {"001"});
  expectCodes("00", "41 42 ", {"ABC"});
  // A merchant identifier of 15 digits is padded to a PAN before the Luhn check.
  expectCodes("02", "", {"", "411111111111113"});
  expectCodes("02", "3 ", {"4111111111111112", "411111111111116"});
  expectCodes("02", "1 ", {"5555555555554444"});
  expectCodes("02", "2 3 ", {"4111"});
  expectCodes("02", "4 3 ", {"4111111111111A11"});
  expectCodes("52", "9 ", {""});
  expectCodes("52", "8 ", {"541", "54A1"});
  // Currency SVC is not valid, XXX is.
  expectCodes("53", "15 ", {""});
  expectCodes("53", "14 ", {"000", "222", "INR"});
  expectCodes("53", "", {"999"});
  // An amount holds 12 digits or 13 characters.
  expectCodes("54", "", {"", "123456789012", "123456789.123"});
  expectCodes("54", "16 ", {"1234567890123", "1234567890.123"});
  expectCodes("54", "17 ", {"1,00", "0.00", "-1", "1e5"});
  expectCodes("58", "13 ", {""});
  expectCodes("58", "12 ", {"in", "XX"});
  expectCodes("59", "7 ", {""});
  expectCodes("59", "", {std::string(25, 'n'), "Zoë " + std::string(21, 'n')});
  expectCodes("59", "6 ", {std::string(26, 'n')});
  expectCodes("60", "11 ", {""});
  expectCodes("60", "10 ", {"Sao Joao del Rei"});
  expectCodes("61", "", {"1234567890"});
  expectCodes("61", "43 ", {"12345678901"});
}

TEST(TlvValidation, TipAndFeeRules) {
  struct Case {
    std::string tip, fee, percentage;  // empty: absent
    std::string_view codes;
  };
  const Case cases[] = {
      {"05", "1.00", "", "28 "},  {"", "1.00", "", "29 "},
      {"", "", "5", "29 "},       {"01", "1.00", "5", "29 "},
      {"01", "", "", ""},         {"02", "", "5", "39 "},
      {"02", "12.50", "", ""},    {"02", "12a", "", "31 "},
      {"02", "0", "", "32 "},     {"02", "12345678901234", "", "31 "},
      {"03", "1", "", "39 "},     {"03", "", "100", "36 "},
      {"03", "", "0.01", ""},     {"03", "", "99.99", ""},
      {"03", "", "0.001", "36 "}, {"03", "", "100.00", "35 36 "},
      {"03", "", "5%", "36 "},    {"02", "1\u0301", "", "32 "},  // a combining mark is no letter
  };
  for (const auto& c : cases) {
    EXPECT_EQ(codesOf(variant({{"55", c.tip}, {"56", c.fee}, {"57", c.percentage}})), c.codes)
        << c.tip << "/" << c.fee << "/" << c.percentage;
  }
}

TEST(TlvValidation, TemplateRules) {
  auto expectCodes = [](const std::string& tag, const TagDictionary& entries,
                        std::string_view codes) {
    const std::string payload = variant({{tag, entries}});
    EXPECT_EQ(codesOf(payload), codes) << payload;
  };
  expectCodes("62", {{"05", std::string(26, 'r')}}, "45 ");
  expectCodes("62", {{"20", std::string(26, 'r')}}, "45 ");
  expectCodes("62", {{"09", "AME"}}, "");
  expectCodes("62", {{"09", "AMEE"}}, "46 ");
  expectCodes("62", {{"09", "X"}}, "46 ");
  expectCodes("64", {{"00", "ZH"}, {"01", "最佳运输"}, {"02", "北京"}}, "");
  expectCodes("64", {{"01", "Cafe"}}, "51 ");
  expectCodes("64", {{"00", "en"}}, "52 ");
  expectCodes("64", {{"02", "Pune"}}, "51 52 ");
  expectCodes("64", {{"00", "eng"}, {"01", "Cafe"}}, "53 ");
  expectCodes("64", {{"00", "en"}, {"01", std::string(26, 'c')}}, "54 ");
  expectCodes("64", {{"00", "en"}, {"01", "C"}, {"02", "P"}}, "55 ");
  expectCodes("64", {{"00", "en"}, {"01", "C"}, {"02", std::string(16, 'p')}}, "55 ");
  expectCodes("26", {{"00", "com.example"}, {"01", "x"}}, "");
  expectCodes("26", {{"01", "x"}}, "49 ");
  expectCodes("26", {{"00", std::string(33, 'g')}}, "50 ");
  expectCodes("80", {{"01", "x"}}, "");  // "80" is not checked

  // Template keys are visited sorted: "20" before "09", which comes first in the text.
  const std::string payload =
      variant({{"62", TagDictionary{{"09", "X"}, {"20", std::string(26, 'r')}}}});
  EXPECT_LT(payload.find("0901X"), payload.find("2026"));
  EXPECT_EQ(codesOf(payload), "45 46 ");
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
  EXPECT_EQ(codesOf(payload), "42 1 2 3 8 14 17 28 12 6 10 43 45 51 52 55 49 48 ");
}

TEST(TlvValidation, FormatZeroRules) {
  // Name, category code, city, country and currency: the fields format 00 requires.
  const std::string base = "11N24541136Mumbai42IN53356";
  const std::pair<std::string_view, Codes> outcomes[] = {
      {"", {"0G4111111111111111" + base, base + "615", base + "72?1", base + "9201"}},
      {"6 9 11 13 15 ", {"10"}},
      {"2 3 7 9 11 13 15 ", {"044111"}},
      {"17 ", {base + "631,5"}},
      {"23 ", {base + "72?z"}},
      {"20 ", {base + "73?12", base + "7R" + std::string(27, 'p')}},
      {"20 21 ", {base + "70"}},
      {"24 ", {base + "82?z", base + "83?12"}},
      {"24 25 ", {base + "80"}},
      {"31 32 34 ", {base + "9202A0"}},
      {"35 38 ", {base + "9203B0"}},
      {"36 ", {base + "9203b3100"}},
      {"29 ", {base + "A11"}},
  };
  for (const auto& [codes, texts] : outcomes) {
    for (const auto& text : texts) EXPECT_EQ(codesOf(text), codes) << text;
  }
}

TEST(TlvValidation, ThreadsDoNotMixTheirLists) {
  // The list of a payload without any field is in rule order.
  const std::string valid = variant({}), empty = withCrc("000201");
  bool otherMixed = false, mainMixed = false;
  std::thread other([&] {
    for (int i = 0; i < 2000; ++i) otherMixed |= codesOf(valid) != "";
  });
  for (int i = 0; i < 2000; ++i) mainMixed |= codesOf(empty) != "9 15 13 7 11 ";
  other.join();
  EXPECT_FALSE(otherMixed);
  EXPECT_FALSE(mainMixed);
}

TEST(PayMerchantTLVValidator, EmptyValuesAndAbsentRecords) {
  auto& validator = ZeltoPayMerchantTLVValidator::sharedValidator();
  EXPECT_EQ(validator.validatePayMerchantTLV01(nullptr), Codes{});
  EXPECT_EQ(validator.validatePayMerchantTLV00(nullptr), Codes{});

  ZeltoPayMerchantTLV record;
  record.payloadFormatIndicator = record.transactionAmount = record.merchantName = "";
  record.cityName = record.postalCode = record.convenienceFeeAmount = "";
  record.merchantCategoryCode = "5411";
  record.currencyCode = "356";
  record.countryCode = "IN";
  record.tipAndFeeIndicator = "02";
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

}  // namespace
}  // namespace zelto
