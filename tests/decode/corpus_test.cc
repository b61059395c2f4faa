// Runs the shared collection of merchant payloads from real schemes through decoding and
// validation, when the shared folder is present. Every row either decodes, and then carries
// "48" exactly when its CRC is wrong, or fails to decode for the reason this table names.
#include <gtest/gtest.h>
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/tlv_generator.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zelto {
namespace {

struct Row {
  int id;
  std::string payload;
  bool crcOk;
};

std::vector<Row> readCorpus(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<Row> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> columns;
    std::stringstream fields(line);
    for (std::string column; std::getline(fields, column, '\t');) columns.push_back(column);
    if (columns.size() < 4) continue;
    rows.push_back({static_cast<int>(rows.size()) + 1, columns[0], columns[3] == "yes"});
  }
  return rows;
}

struct ExpectedFailure {
  TLVDecodingError error;
  const char* reason;
};

constexpr const char* kGuidIn62 =
    "sub-tag 00 (a unique identifier) inside the additional data template 62, which the record "
    "refuses";
constexpr const char* kPlainUnder80To99 =
    "a plain value under a tag from 80 to 99, which the format reserves for templates";

const std::map<int, ExpectedFailure>& expectedFailures() {
  using E = TLVDecodingError;
  static const std::map<int, ExpectedFailure> failures = {
      {22, {E::invalidLength, kPlainUnder80To99}},
      {41, {E::invalidLength, "Khmer text in 64 whose lengths count code points, not characters"}},
      {42, {E::invalidLength, "Khmer text in 64 whose lengths count code points, not characters"}},
      {49, {E::invalidTag, kGuidIn62}},
      {50, {E::invalidTag, kGuidIn62}},
      {53, {E::invalidTag, kGuidIn62}},
      {54, {E::invalidTag, kGuidIn62}},
      {55, {E::invalidTag, kGuidIn62}},
      {56, {E::invalidTag, kGuidIn62}},
      {57, {E::invalidTag, kGuidIn62}},
      {61, {E::invalidTag, kGuidIn62}},
      {62, {E::invalidTag, kGuidIn62}},
      {91, {E::invalidLength, kPlainUnder80To99}},
      {94, {E::invalidTag, kGuidIn62}},
      {95, {E::invalidTag, kGuidIn62}},
      {96, {E::invalidTag, kGuidIn62}},
      {97, {E::invalidTag, kGuidIn62}},
      {107, {E::invalidLength, "62 declares 16 characters but holds 18: the walk breaks"}},
      {112, {E::invalidLength, kPlainUnder80To99}},
      {113, {E::invalidLength, kPlainUnder80To99}},
      {116, {E::repeatedTag, "59 declares 13 characters for a 12-character name"}},
      {118, {E::invalidLength, "a sub-element of 62 without a length"}},
      {137, {E::invalidLength, "ends with \"6304\" and no CRC value"}},
  };
  return failures;
}

// Row 32 is marked as a wrong CRC only because its correct CRC is written in lower case, which
// the validator accepts.
constexpr int kLowerCaseCrcRow = 32;

TEST(SharedCorpus, EveryRowDecodesOrFailsForItsKnownReason) {
  const std::filesystem::path path =
      std::filesystem::path(ZELTO_SHARED_DIR) / "corpus" / "emv-mpm-payloads.tsv";
  if (!std::filesystem::exists(path)) {
    GTEST_SKIP() << "skipped: the shared payload collection " << path << " is not present";
  }
  const auto rows = readCorpus(path);
  ASSERT_EQ(rows.size(), 137u);

  for (const auto& row : rows) {
    SCOPED_TRACE("row " + std::to_string(row.id) + ": " + row.payload);
    ZeltoPayMerchantTLV record;
    const auto error = record.decodeTLV(row.payload);
    const auto codes = TLVGenerator::tlvValidation(row.payload);
    const auto expected = expectedFailures().find(row.id);
    if (expected != expectedFailures().end()) {
      EXPECT_EQ(error, expected->second.error) << "expected to fail: " << expected->second.reason;
      EXPECT_EQ(codes, std::vector<std::string>{"0"});
      continue;
    }
    ASSERT_EQ(error, std::nullopt) << "does not decode";
    const bool crcWrong = !row.crcOk && row.id != kLowerCaseCrcRow;
    const bool has48 = std::find(codes.begin(), codes.end(), "48") != codes.end();
    EXPECT_EQ(has48, crcWrong);
    EXPECT_EQ(std::find(codes.begin(), codes.end(), "0"), codes.end());
  }
}

}  // namespace
}  // namespace zelto
