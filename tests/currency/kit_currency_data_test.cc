#include "currency/kit_currency_data.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/debug_console.h"

namespace zelto {
namespace {

using nlohmann::json;
using platform::InMemoryUserDefaults;
using Ids = std::vector<std::string>;

Ids ids(const KitCurrencyList& list) {
  Ids result;
  for (const auto& record : list) result.push_back(record->currencyId);
  return result;
}

class KitCurrencyDataTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("LC_ALL", "en_US.UTF-8", 1); }

  InMemoryUserDefaults store;
  KitCurrencyData data;
};

TEST_F(KitCurrencyDataTest, RecordsCarryTheTableRowsAndTheirCounts) {
  store.set(KAllSelectedCurrencies, json{{"978", 5}, {"826", 2}, {"784", 1}});
  auto [recent, others] = data.getCurrencies(store);
  ASSERT_EQ(ids(*recent), (Ids{"EUR", "GBP"}));
  EXPECT_EQ((*recent)[1]->count, 2);
  const KitCurrencyData& aed = *others.front();
  EXPECT_EQ(aed.currencyId + aed.currencyCode + aed.currencyDescription + std::to_string(aed.count),
            "AED784United Arab Emirates dirham1");
  EXPECT_EQ(others[1]->count, 0);
}

TEST_F(KitCurrencyDataTest, RecentListIsLastUsedThenTheTwoMostUsed) {
  struct Case {
    const char* name;
    json counts;
    json lastUsed;
    Ids recent;
  };
  const Case cases[] = {
      {"nothing stored", nullptr, nullptr, {}},
      {"last used first", {{"978", 5}, {"826", 2}, {"356", 1}}, "356", {"INR", "EUR", "GBP"}},
      {"at most 3", {{"978", 5}, {"826", 2}, {"356", 1}, {"36", 9}}, "356", {"INR", "AUD", "EUR"}},
      {"a count of one is promoted", {{"978", 1}}, nullptr, {"EUR"}},
      {"zero counts are not promoted", {{"978", 0}, {"826", 0}}, "840", {"USD"}},
      {"last used without a count", {{"978", 3}}, "392", {"JPY", "EUR"}},
      {"codes match as exact strings", {{"036", 4}}, "008", {}},
      {"unknown codes have no effect", {{"1234", 4}, {"840", 2}}, "xyz", {"USD"}},
      {"negative counts are not promoted", {{"978", -2}}, nullptr, {}},
  };
  for (const Case& c : cases) {
    InMemoryUserDefaults cased;
    if (!c.counts.is_null()) {
      cased.set(KAllSelectedCurrencies, c.counts);
      cased.set(KRecentCurrency, c.lastUsed);
    }
    auto [recent, others] = data.getCurrencies(cased);
    ASSERT_TRUE(recent.has_value()) << c.name;
    EXPECT_EQ(ids(*recent), c.recent) << c.name;
    EXPECT_EQ(recent->size() + others.size(), 177u) << c.name;
    // The rest is alphabetical, though the table keeps XUA before XTS.
    Ids rest = ids(others);
    EXPECT_TRUE(std::ranges::is_sorted(rest)) << c.name;
    for (const std::string& id : c.recent) EXPECT_EQ(std::ranges::count(rest, id), 0) << c.name;
  }
}

TEST_F(KitCurrencyDataTest, IncreaseCountsUpInTheStandardStoreAndReplacesWrongTypes) {
  auto standard = std::make_shared<InMemoryUserDefaults>();
  platform::UserDefaults::setStandard(standard);
  standard->set(KAllSelectedCurrencies, "not a map");
  standard->set(KRecentCurrency, 7);
  const auto& shared = KitCurrencyData::shared();
  EXPECT_TRUE(shared->increaseCurrencyCount("978").recorded);
  EXPECT_EQ(standard->object(KAllSelectedCurrencies), (json{{"978", 1}}));
  EXPECT_EQ(standard->object(KRecentCurrency), json("978"));
  shared->increaseCurrencyCount("978");
  shared->increaseCurrencyCount("36");
  EXPECT_EQ(standard->object(KAllSelectedCurrencies), (json{{"978", 2}, {"36", 1}}));
  EXPECT_EQ(standard->string(KRecentCurrency), "36");
  EXPECT_EQ(ids(*shared->getCurrencies().first), (Ids{"AUD", "EUR"}));
  platform::UserDefaults::setStandard(nullptr);
}

// A code finds its row however it is written, with the row's count; the numeric code of a row
// written without leading zeros ("36") still finds it from "036", and a code of the ISO table
// that no row of the merchant's list has finds nothing.
TEST_F(KitCurrencyDataTest, FindCurrencyTakesEitherCodeInAnyCase) {
  auto standard = std::make_shared<InMemoryUserDefaults>();
  platform::UserDefaults::setStandard(standard);
  KitCurrencyData::shared()->increaseCurrencyCount("36");
  const std::pair<const char*, const char*> found[] = {{"036", "AUD"}, {"aud", "AUD"},
                                                       {"AuD", "AUD"}, {"840", "USD"},
                                                       {"978", "EUR"}, {"008", "ALL"}};
  for (const auto& [code, id] : found) {
    const auto record = findCurrency(code);
    ASSERT_NE(record, nullptr) << code;
    EXPECT_EQ(record->currencyId, id) << code;
  }
  EXPECT_EQ(findCurrency("036")->count, 1);
  EXPECT_EQ(findCurrency("840")->count, 0);
  for (const char* unknown : {"", "XXX", "999", "36", "0360", "US", "usd "}) {
    EXPECT_EQ(findCurrency(unknown), nullptr) << unknown;
  }
  platform::UserDefaults::setStandard(nullptr);
}

TEST_F(KitCurrencyDataTest, IncreaseWritesBackOnlyTheCountsItUnderstands) {
  // Counts of no currency, written another way, of the wrong type or not counting a use are
  // dropped; the rest of the store is left alone.
  store.set(KAllSelectedCurrencies, json{{"978", 4},
                                         {"036", 3},
                                         {"1234", 9},
                                         {"840", "2"},
                                         {"826", 0},
                                         {"356", -5},
                                         {"392", 1.5},
                                         {"124", 18446744073709551615u},
                                         {"36", 2}});
  store.set("other", "kept");
  EXPECT_TRUE(data.increaseCurrencyCount("978", store).recorded);
  EXPECT_EQ(store.object(KAllSelectedCurrencies), (json{{"978", 5}, {"36", 2}}));
  EXPECT_EQ(store.string("other"), "kept");
  // A code of no currency, or one written another way than the table writes it, is refused.
  for (std::string code : {"036", "999", "", "EUR"}) {
    const CurrencyUse use = data.increaseCurrencyCount(code, store);
    EXPECT_FALSE(use.recorded) << code;
    EXPECT_EQ(use.error, "\"" + code + "\" is not the numeric code of a currency of the table");
  }
  EXPECT_EQ(store.object(KAllSelectedCurrencies), (json{{"978", 5}, {"36", 2}}));
  EXPECT_EQ(store.string(KRecentCurrency), "978");
}

TEST_F(KitCurrencyDataTest, AStoreThatCannotBeWrittenIsReported) {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelto-kit-XXXXXX").string();
  const std::filesystem::path folder = ::mkdtemp(pattern.data());
  std::ofstream(folder / "file") << "not a folder";
  platform::FileUserDefaults blocked(folder / "file" / "defaults.json");
  platform::ScopedDebugConsoleCapture console;
  const CurrencyUse use = data.increaseCurrencyCount("978", blocked);
  EXPECT_FALSE(use.recorded);
  const std::string reason = "cannot create " + (folder / "file").string() + ": Not a directory";
  EXPECT_EQ(use.error, "the use of currency 978 was not recorded: " + reason);
  EXPECT_EQ(console.lines(), std::vector<std::string>{"User defaults not saved: " + reason});
  std::filesystem::remove_all(folder);
}

TEST_F(KitCurrencyDataTest, FilterMatchesCodeOrDescriptionIgnoringCase) {
  store.set(KRecentCurrency, "840");
  auto [recent, others] = data.getCurrencies(store);
  struct Case {
    std::string search;
    Ids recent;
    std::size_t others;
    std::string firstOther;
  };
  const Case cases[] = {
      {"", {"USD"}, 176, "AED"},      {"usd", {"USD"}, 0, ""}, {"840", {}, 0, ""},
      {"DOLLAR", {"USD"}, 23, "AUD"}, {"KRÓNA", {}, 1, "ISK"}, {"ĐỒNG", {}, 1, "VND"},
      {"peso en", {}, 1, "UYI"},      {"zzz", {}, 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ids(filterCurrencies(*recent, c.search)), c.recent) << c.search;
    KitCurrencyList found = filterCurrencies(others, c.search);
    EXPECT_EQ(found.size(), c.others) << c.search;
    EXPECT_EQ(found.empty() ? "" : found.front()->currencyId, c.firstOther) << c.search;
  }
}

}  // namespace
}  // namespace zelto
