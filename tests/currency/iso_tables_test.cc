#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "currency/currency_table.h"
#include "currency/iso_country_codes.h"

namespace zelto {
namespace {

TEST(CurrencyTableTest, Holds177DistinctCurrenciesInAlphabeticalOrderSaveXuaBeforeXts) {
  const auto& table = currency::currencyTable();
  EXPECT_EQ(table.size(), 177u);
  std::set<std::string_view> alphabetic;
  std::set<int> numeric;
  std::vector<std::string_view> order;
  for (const auto& row : table) {
    const std::string code(row.alphabeticCode);
    EXPECT_EQ(code.size(), 3u) << code;
    EXPECT_TRUE(std::ranges::all_of(code, [](char c) { return c >= 'A' && c <= 'Z'; })) << code;
    EXPECT_TRUE(row.numericCode >= 1 && row.numericCode <= 999) << code;
    EXPECT_FALSE(row.description.empty()) << code;
    EXPECT_TRUE(alphabetic.insert(row.alphabeticCode).second) << "repeated " << code;
    EXPECT_TRUE(numeric.insert(row.numericCode).second) << "repeated " << row.numericCode;
    order.push_back(row.alphabeticCode);
  }
  // Alphabetical, except that the table keeps XUA before XTS.
  const auto xua = std::ranges::find(order, "XUA");
  ASSERT_NE(xua, order.end());
  ASSERT_EQ(*(xua + 1), "XTS");
  std::iter_swap(xua, xua + 1);
  EXPECT_TRUE(std::ranges::is_sorted(order));

  // Rows a merchant meets, with their exact codes and names (accents kept, no leading zeros).
  struct Row {
    std::string_view alphabetic;
    int numeric;
    std::string_view description;
  };
  const Row rows[] = {
      {"AED", 784, "United Arab Emirates dirham"},
      {"ALL", 8, "Albanian lek"},
      {"AUD", 36, "Australian dollar"},
      {"EUR", 978, "Euro"},
      {"GBP", 826, "Pound sterling"},
      {"INR", 356, "Indian rupee"},
      {"ISK", 352, "Icelandic króna"},
      {"JPY", 392, "Japanese yen"},
      {"KWD", 414, "Kuwaiti dinar"},
      {"PLN", 985, "Polish złoty"},
      {"USD", 840, "United States dollar"},
      {"XUA", 965, "ADB Unit of Account"},
  };
  for (const Row& expected : rows) {
    const auto found =
        std::ranges::find(table, expected.alphabetic, &currency::CurrencyRow::alphabeticCode);
    ASSERT_NE(found, table.end()) << expected.alphabetic;
    EXPECT_EQ(found->numericCode, expected.numeric) << expected.alphabetic;
    EXPECT_EQ(found->description, expected.description) << expected.alphabetic;
  }
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
  for (const auto& [code, locale] : ids) {
    auto exception = exceptions.find(code);
    EXPECT_EQ(locale, exception == exceptions.end() ? "en_" + code.substr(0, 2) : exception->second)
        << code;
  }
  for (const auto& [code, locale] : exceptions) EXPECT_TRUE(ids.contains(code)) << code;
  EXPECT_EQ(ids.size(), 152u);
  // Which currencies have no locale: funds, metals, test and withdrawn codes.
  std::set<std::string> withoutLocale;
  for (const auto& [numeric, code] : ISOCountryCodes::availableISOCurrencies()) {
    if (!ids.contains(code)) withoutLocale.insert(code);
  }
  EXPECT_EQ(withoutLocale,
            (std::set<std::string>{"BOV", "CHE", "CHW", "CLF", "COU", "CUC", "LSL", "LTL", "MVR",
                                   "MXV", "USN", "USS", "UYI", "XAG", "XAU", "XBA", "XBB", "XBC",
                                   "XBD", "XDR", "XPD", "XPT", "XSU", "XTS", "XUA", "XXX", "ZWD"}));
}

TEST(IsoRegionCodesTest, HoldsTheTwoLetterRegions) {
  const auto& regions = ISOCountryCodes::isoRegionCodes();
  EXPECT_GT(regions.size(), 240u);
  for (std::string_view region : {"IN", "SX", "EA", "XK"}) EXPECT_TRUE(regions.contains(region));
  for (std::string_view other : {"", "in", "USA", "XX", "EU"})
    EXPECT_FALSE(regions.contains(other));
  for (const std::string& region : regions) EXPECT_EQ(region.size(), 2u) << region;
}

TEST(IsoRegionCodesTest, IsISORegionCodeAnswersAsTheList) {
  // Every pair of capitals through the table of bits, and other texts through the list.
  const auto& regions = ISOCountryCodes::isoRegionCodes();
  for (char first = 'A'; first <= 'Z'; ++first) {
    for (char second = 'A'; second <= 'Z'; ++second) {
      const std::string code{first, second};
      EXPECT_EQ(ISOCountryCodes::isISORegionCode(code), regions.contains(code)) << code;
    }
  }
  for (std::string_view other : {"", "I", "in", "In", "IND", "I1", "[A", "A@", "ÍN"}) {
    EXPECT_FALSE(ISOCountryCodes::isISORegionCode(other)) << other;
  }
}

}  // namespace
}  // namespace zelto
