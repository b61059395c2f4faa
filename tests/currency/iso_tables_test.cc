#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "currency/currency_table.h"
#include "currency/iso_country_codes.h"

namespace zelto {
namespace {

// FNV-1a: any changed, added, lost or moved line of a table changes it.
std::uint64_t fingerprint(std::string_view text) {
  std::uint64_t hash = 14695981039346656037u;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211u;
  return hash;
}

TEST(CurrencyTableTest, Holds177RowsInOrderWithExactDescriptions) {
  std::string all;
  for (const auto& row : currency::currencyTable()) {
    all += std::string(row.alphabeticCode) + " " + std::to_string(row.numericCode) + " " +
           std::string(row.description) + "\n";
  }
  EXPECT_EQ(currency::currencyTable().size(), 177u);
  EXPECT_EQ(fingerprint(all), 0xce202bdc5db0b788u);
  // XUA stands before XTS; descriptions keep their accents.
  EXPECT_NE(all.find("XUA 965 ADB Unit of Account\nXTS 963 "), std::string::npos);
  EXPECT_NE(all.find("\nPLN 985 Polish złoty\n"), std::string::npos);
}

TEST(AvailableISOCurrenciesTest, IsTheTableWithItsDocumentedDifferences) {
  std::map<int, std::string> expected = {
      {932, "ZWD"}, {440, "LTL"}, {974, "BYR"}, {998, "USS"}, {999, "XXX"}};
  for (const auto& row : currency::currencyTable()) {
    if (row.numericCode != 222 && row.numericCode != 933) {
      expected.emplace(row.numericCode, row.alphabeticCode);
    }
  }
  EXPECT_EQ(expected.size(), 179u);
  EXPECT_EQ(ISOCountryCodes::availableISOCurrencies(), expected);
}

TEST(LocaleIdsTest, HoldsOneLocalePerCurrencyWithElevenExceptions) {
  const std::map<std::string, std::string> exceptions = {
      {"ANG", "en_SX"}, {"AUD", "en_NF"}, {"CHF", "en_LI"}, {"DKK", "en_GL"},
      {"EUR", "en_EA"}, {"NZD", "en_PN"}, {"PKR", "en_IN"}, {"XAF", "en_CM"},
      {"XCD", "en_AG"}, {"XOF", "en_TG"}, {"XPF", "en_PF"}};
  const auto& ids = ISOCountryCodes::localeIds();
  std::string all;
  for (const auto& [code, locale] : ids) {
    auto exception = exceptions.find(code);
    EXPECT_EQ(locale, exception == exceptions.end() ? "en_" + code.substr(0, 2) : exception->second)
        << code;
    all += code + "\n";
  }
  for (const auto& [code, locale] : exceptions) EXPECT_TRUE(ids.contains(code)) << code;
  EXPECT_EQ(ids.size(), 152u);
  // Which currencies have a locale: metals, funds, ZWD, SVC, BYN and ZWL have none.
  EXPECT_EQ(fingerprint(all), 0x5a3c8b23376b5692u);
}

TEST(IsoRegionCodesTest, HoldsTheTwoLetterRegions) {
  const auto& regions = ISOCountryCodes::isoRegionCodes();
  EXPECT_GT(regions.size(), 240u);
  for (std::string_view region : {"IN", "SX", "EA", "XK"}) EXPECT_TRUE(regions.contains(region));
  for (std::string_view other : {"", "in", "USA", "XX", "EU"})
    EXPECT_FALSE(regions.contains(other));
  for (const std::string& region : regions) EXPECT_EQ(region.size(), 2u) << region;
}

}  // namespace
}  // namespace zelto
