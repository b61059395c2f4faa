#include "currency/kit_currency_data.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

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
  shared->increaseCurrencyCount("978");
  EXPECT_EQ(standard->object(KAllSelectedCurrencies), (json{{"978", 1}}));
  EXPECT_EQ(standard->object(KRecentCurrency), json("978"));
  shared->increaseCurrencyCount("978");
  shared->increaseCurrencyCount("036");
  EXPECT_EQ(standard->object(KAllSelectedCurrencies), (json{{"978", 2}, {"036", 1}}));
  EXPECT_EQ(standard->string(KRecentCurrency), "036");
  EXPECT_EQ(ids(*shared->getCurrencies().first), (Ids{"EUR"}));  // 036 is not AUD's "36"
  platform::UserDefaults::setStandard(nullptr);
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
