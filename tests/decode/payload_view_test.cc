// Validation reads plain payloads straight from their text and decodes every other payload into
// a record first. Both roads must give the same codes: for many payloads, plain or not, the
// codes of tlvValidation equal those of decoding into a record and validating the record.
#include "decode/payload_view.h"

#include <gtest/gtest.h>
#include <zelto/payload/tlv_generator.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "decode/pay_merchant_validator.h"

namespace zelto {
namespace {

std::vector<std::string> codesThroughRecord(std::string_view text) {
  ZeltoPayMerchantTLV record;
  if (record.decodeTLV(text)) return {"0"};
  auto& validator = ZeltoPayMerchantTLVValidator::sharedValidator();
  if (!record.payloadFormatIndicator) return validator.validatePayMerchantTLV00(&record);
  validator.validatePayMerchantTLV01(&record);
  validator.rules().validateCRC(record.crc, text);
  return validator.errorCodes();
}

std::vector<std::string> seedPayloads() {
  std::vector<std::string> seeds = {
      // Valid, with the additional data template.
      "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510.00"
      "6215010412340703T016304FB81",
      // Three account templates, "62" with a sub-field of its own ("08"), "64", a fee.
      "0002010102120216411111111111111126380015com.example.pay0115MERCHANT001234527310014in."
      "example.upi0109shop@bank51290014com.example.qr0107SG-012352045812530335654071234.50550202"
      "560510.005802IN5915Green Leaf Cafe6009Bengaluru610656000162320108INV-00010507REF77880705"
      "T000164200002EN0110Green Leaf6304E8D8",
  };
  // Templates and fields that break rules: a request code that is not "AME", an account
  // template without "00", a language template without its mandatory entries, a sub-field "50"
  // of "62", a fee percentage, a template "80", a bad currency and a long city.
  seeds.push_back(TLVGenerator::encodeDictToTLV({
      {"00", "01"},
      {"02", "5105105105105100"},
      {"26", TagDictionary{{"01", "x"}}},
      {"27", TagDictionary{{"00", std::string(33, 'g')}}},
      {"52", "541"},
      {"53", "999"},
      {"55", "03"},
      {"57", "1.5"},
      {"58", "in"},
      {"59", "A"},
      {"60", std::string(16, 'c')},
      {"62", TagDictionary{{"09", "AMX"}, {"50", "free"}, {"03", std::string(26, 's')}}},
      {"64", TagDictionary{{"02", "x"}, {"07", "y"}}},
      {"80", TagDictionary{{"00", "id"}}},
  }));
  std::ifstream corpus(ZELTO_SHARED_DIR "/corpus/emv-mpm-payloads.tsv");
  std::string line;
  std::getline(corpus, line);  // header
  while (std::getline(corpus, line)) seeds.push_back(line.substr(0, line.find('\t')));
  return seeds;
}

TEST(PlainPayload, ValidatesLikeItsDecodedRecord) {
  const std::vector<std::string> seeds = seedPayloads();
  // Pieces that keep a payload plain, and pieces that make it not plain.
  const std::vector<std::string> pieces = {"0",    "1",  "5",        "9", "00", "62",  "63",
                                           "64",   "26", "0201",     "A", ".",  "?",   " ",
                                           "\r\n", "é",  "\xcc\x81", "+", "-",  "\xff"};
  std::mt19937 random(20240607);
  auto below = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  int plain = 0;
  PlainPayload reader;  // one reader for every text, as tlvValidation keeps one a thread
  for (int i = 0; i < 20000; ++i) {
    std::string text = seeds[below(seeds.size())];
    for (std::size_t edits = below(3); edits > 0; --edits) {
      const std::size_t at = below(text.size() + 1);
      if (below(2) == 0) {
        text.insert(at, pieces[below(pieces.size())]);
      } else if (at < text.size()) {
        text[at] = static_cast<char>('0' + below(10));
      }
    }
    plain += reader.read(text) != nullptr;
    ASSERT_EQ(TLVGenerator::tlvValidation(text), codesThroughRecord(text)) << text;
  }
  // Both roads were taken often.
  EXPECT_GT(plain, 2000);
  EXPECT_LT(plain, 18000);
}

}  // namespace
}  // namespace zelto
