#include "currency/kit_currency_data.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace zelto {
namespace {

using nlohmann::json;
using platform::InMemoryUserDefaults;

std::vector<std::string> ids(const KitCurrencyList& list) {
  std::vector<std::string> result;
  for (const auto& record : list) result.push_back(record->currencyId);
  return result;
}

class KitCurrencyDataTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("LC_ALL", "en_US.UTF-8", 1); }

  InMemoryUserDefaults store;
  KitCurrencyData data;
};

TEST_F(KitCurrencyDataTest, NewRecordIsEmptyAndHoldsTheWholeTable) {
  EXPECT_EQ(data.currencyId, "");
  EXPECT_EQ(data.currencyCode, "");
  EXPECT_EQ(data.currencyDescription, "");
  EXPECT_EQ(data.count, 0);
  ASSERT_EQ(data.currenciesDicArr->size(), 177u);
  EXPECT_EQ(
      data.currenciesDicArr->at(2),
      (CurrencyDictionary{
          {"currencyCode", "8"}, {"currencyId", "ALL"}, {"currencyDescription", "Albanian lek"}}));
  EXPECT_EQ(KitCurrencyData::shared(), KitCurrencyData::shared());
}

TEST_F(KitCurrencyDataTest, NothingStoredGivesAnEmptyRecentListAndEveryCurrencyInOrder) {
  auto [recent, others] = data.getCurrencies(store);
  ASSERT_TRUE(recent.has_value());
  EXPECT_TRUE(recent->empty());
  ASSERT_EQ(others.size(), 177u);
  EXPECT_EQ(others.front()->currencyId, "AED");
  EXPECT_EQ(others.front()->currencyCode, "784");
  EXPECT_EQ(others.front()->currencyDescription, "United Arab Emirates dirham");
  EXPECT_EQ(others.back()->currencyId, "ZWL");
  // The table keeps XUA before XTS; the list is alphabetical.
  std::vector<std::string> all = ids(others);
  EXPECT_TRUE(std::ranges::is_sorted(all));
  for (const auto& record : others) EXPECT_EQ(record->count, 0) << record->currencyId;
}

TEST_F(KitCurrencyDataTest, OneUseMakesTheCurrencyTheWholeRecentList) {
  data.increaseCurrencyCount("840", store);
  EXPECT_EQ(store.object(KAllSelectedCurrencies), (json{{"840", 1}}));
  EXPECT_EQ(store.object(KRecentCurrency), json("840"));
  auto [recent, others] = data.getCurrencies(store);
  EXPECT_EQ(ids(*recent), std::vector<std::string>{"USD"});
  EXPECT_EQ((*recent)[0]->count, 1);
  EXPECT_EQ(others.size(), 176u);
  EXPECT_EQ(std::ranges::count(ids(others), "USD"), 0);
}

TEST_F(KitCurrencyDataTest, RecentListIsLastUsedThenTheTwoMostUsed) {
  struct Case {
    const char* name;
    json counts;
    json lastUsed;
    std::vector<std::string> recent;
  };
  const Case cases[] = {
      {"last used first", {{"978", 5}, {"826", 2}, {"356", 1}}, "356", {"INR", "EUR", "GBP"}},
      {"at most three",
       {{"978", 5}, {"826", 2}, {"356", 1}, {"36", 9}},
       "356",
       {"INR", "AUD", "EUR"}},
      {"zero counts are not promoted", {{"978", 0}, {"826", 0}}, "840", {"USD"}},
      {"last used without a count", {{"978", 3}}, "392", {"JPY", "EUR"}},
      {"codes match as exact strings", {{"036", 4}}, "008", {}},
      {"unknown codes have no effect", {{"1234", 4}, {"840", 2}}, "xyz", {"USD"}},
      {"counts of the wrong type are ignored", {{"840", "4"}, {"978", 2}}, "356", {"INR"}},
      {"counts that are not a map are ignored", "840", json::array({"840"}), {}},
      {"negative counts are not promoted", {{"978", -2}}, nullptr, {}},
  };
  for (const Case& c : cases) {
    InMemoryUserDefaults cased;
    cased.set(KAllSelectedCurrencies, c.counts);
    cased.set(KRecentCurrency, c.lastUsed);
    auto [recent, others] = data.getCurrencies(cased);
    EXPECT_EQ(ids(*recent), c.recent) << c.name;
    EXPECT_EQ(recent->size() + others.size(), 177u) << c.name;
    std::vector<std::string> rest = ids(others);
    EXPECT_TRUE(std::ranges::is_sorted(rest)) << c.name;
    for (const std::string& id : c.recent) {
      EXPECT_EQ(std::ranges::count(rest, id), 0) << c.name << " " << id;
    }
  }
}

TEST_F(KitCurrencyDataTest, CountsAreCarriedIntoTheRecordsOfBothLists) {
  store.set(KAllSelectedCurrencies, json{{"978", 5}, {"826", 2}, {"356", 1}});
  auto [recent, others] = data.getCurrencies(store);
  EXPECT_EQ(ids(*recent), (std::vector<std::string>{"EUR", "GBP"}));
  EXPECT_EQ((*recent)[0]->count, 5);
  EXPECT_EQ((*recent)[1]->count, 2);
  auto inr = std::ranges::find(others, "INR", &KitCurrencyData::currencyId);
  ASSERT_NE(inr, others.end());
  EXPECT_EQ((*inr)->count, 1);
}

TEST_F(KitCurrencyDataTest, IncreaseCountsUpAndReplacesValuesOfTheWrongType) {
  store.set(KAllSelectedCurrencies, "not a map");
  store.set(KRecentCurrency, 7);
  data.increaseCurrencyCount("978", store);
  EXPECT_EQ(store.object(KAllSelectedCurrencies), (json{{"978", 1}}));
  data.increaseCurrencyCount("978", store);
  data.increaseCurrencyCount("036", store);
  EXPECT_EQ(store.object(KAllSelectedCurrencies), (json{{"978", 2}, {"036", 1}}));
  EXPECT_EQ(store.object(KRecentCurrency), json("036"));
  // A map holding one value of the wrong type is not a count map: it starts over.
  store.set(KAllSelectedCurrencies, json{{"978", 2}, {"840", 1.5}});
  data.increaseCurrencyCount("840", store);
  EXPECT_EQ(store.object(KAllSelectedCurrencies), (json{{"840", 1}}));
}

TEST_F(KitCurrencyDataTest, RecordsReadTheStandardStore) {
  auto fake = std::make_shared<InMemoryUserDefaults>();
  platform::UserDefaults::setStandard(fake);
  KitCurrencyData::shared()->increaseCurrencyCount("392");
  auto [recent, others] = KitCurrencyData::shared()->getCurrencies();
  EXPECT_EQ(ids(*recent), std::vector<std::string>{"JPY"});
  EXPECT_EQ(fake->string(KRecentCurrency), "392");
  platform::UserDefaults::setStandard(nullptr);
}

}  // namespace
}  // namespace zelto

namespace zelto {
namespace {

TEST(FilterCurrenciesTest, MatchesCodeOrDescriptionIgnoringCase) {
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  InMemoryUserDefaults store;
  store.set(KRecentCurrency, "840");
  auto [recent, others] = KitCurrencyData().getCurrencies(store);
  struct Case {
    std::string search;
    std::vector<std::string> recent;
    std::size_t others;
    std::string firstOther;
  };
  const Case cases[] = {
      {"", {"USD"}, 176, "AED"},
      {"usd", {"USD"}, 0, ""},
      {"USD", {"USD"}, 0, ""},
      {"840", {}, 0, ""},
      {"dollar", {"USD"}, 23, "AUD"},
      {"DOLLAR", {"USD"}, 23, "AUD"},
      {"KRÓNA", {}, 1, "ISK"},
      {"đồng", {}, 1, "VND"},
      {"ĐỒNG", {}, 1, "VND"},
      {"peso en", {}, 1, "UYI"},
      {"zzz", {}, 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ids(filterCurrencies(*recent, c.search)), c.recent) << c.search;
    KitCurrencyList found = filterCurrencies(others, c.search);
    EXPECT_EQ(found.size(), c.others) << c.search;
    if (!found.empty()) {
      EXPECT_EQ(found.front()->currencyId, c.firstOther) << c.search;
    }
  }
}

}  // namespace
}  // namespace zelto
