#include "screens/currency_sheet.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "../sdk/flow_fixture.h"
#include "base/user_defaults.h"
#include "platform/notification_center.h"

namespace zelto {
namespace {

using nlohmann::json;
using Ids = std::vector<std::string>;

// Logs the chosen code and what the session held as selected currency at that moment.
class Picks : public ZELTOCurrencySelectionViewDelegate {
 public:
  explicit Picks(Ids* log) : log_(log) {}
  void didCloseSelectionView(const std::string& currency) override {
    const auto& selected = ZeltoSession::sharedSession().selectedCurrency;
    log_->push_back(currency + (selected ? "/" + selected->currencyId : ""));
  }

 private:
  Ids* log_;
};

class CurrencySelectionViewTest : public testing::FlowTest {
 protected:
  void SetUp() override {
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    platform::UserDefaults::setStandard(store);
    FlowTest::SetUp();
    session().selectedCurrency = nullptr;
  }
  void TearDown() override {
    FlowTest::TearDown();
    platform::UserDefaults::setStandard(nullptr);
  }

  // Opens the view over a refund flow in US dollars, as the form's drop-down does.
  std::shared_ptr<ZELTOCurrencySelectionView> open() {
    ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), recorder.handler());
    loop().runFor(testing::kSettle);
    auto view = ZELTOCurrencySelectionView::create(session().sdkWindow->bounds());
    view->currencySelectionDelegate = picks;
    session().sdkWindow->addSubview(view);
    view->show();
    loop().runFor(0.2);
    return view;
  }
  static void search(ZELTOCurrencySelectionView& view, const std::string& text) {
    // The merchant deletes the earlier search key by key, then types.
    host::deleteBackward(*session().sdkWindow, "Currency_Search_Field",
                         view.searchField->text.size());
    host::typeText(*session().sdkWindow, "Currency_Search_Field", text);
  }
  // The alphabetic codes of each section as the list shows them, with the section titles.
  static std::vector<Ids> sections(ZELTOCurrencySelectionView& view) {
    std::vector<Ids> shown;
    auto& table = *view.tableView;
    for (int section = 0; section < table.numberOfSections(); ++section) {
      Ids ids{view.titleForHeader(table, section).value_or("?")};
      for (int row = 0; row < table.numberOfRows(section); ++row) {
        ids.push_back(view.currencyAt({section, row})->currencyId);
      }
      shown.push_back(std::move(ids));
    }
    return shown;
  }

  std::shared_ptr<platform::InMemoryUserDefaults> store =
      std::make_shared<platform::InMemoryUserDefaults>();
  Ids heard;
  std::shared_ptr<Picks> picks = std::make_shared<Picks>(&heard);
  testing::Recorder recorder;
};

TEST_F(CurrencySelectionViewTest, SearchMatchesCodeAndDescriptionInEitherCase) {
  const Ids dollars{"AUD", "BBD", "BMD", "BND", "BSD", "BZD", "CAD", "FJD",
                    "GYD", "HKD", "JMD", "KYD", "LRD", "NAD", "NZD", "SBD",
                    "SGD", "SRD", "TTD", "TWD", "USD", "USN", "XCD", "ZWL"};
  Ids dollarRows{""};
  dollarRows.insert(dollarRows.end(), dollars.begin(), dollars.end());
  auto view = open();
  EXPECT_EQ(sections(*view).size(), 1u);
  EXPECT_EQ(sections(*view)[0].size(), 1u + 177);
  EXPECT_EQ(sections(*view)[0][0], "");  // one untitled section when nothing was used
  for (const char* text : {"dollar", "DOLLAR"}) {
    search(*view, text);
    EXPECT_EQ(sections(*view), std::vector<Ids>{dollarRows}) << text;
    EXPECT_TRUE(view->errorView->hidden);
  }
  // The numeric code finding nothing, the error view and clearing the search are in the host
  // script currencies.
  for (const char* text : {"usd", "USD", "uSd"}) {
    search(*view, text);
    EXPECT_EQ(sections(*view), (std::vector<Ids>{{"", "USD"}})) << text;
  }
}

TEST_F(CurrencySelectionViewTest, SearchTakesAtMost64Characters) {
  auto view = open();
  // 63 characters, then a two-code-point character that is one: the 64th.
  const std::string typed = std::string(63, 'e') + "e\u0301" + "xyz";
  const auto keys = host::typeText(*session().sdkWindow, "Currency_Search_Field", typed);
  EXPECT_EQ(view->searchField->text, std::string(63, 'e') + "e\u0301");
  EXPECT_EQ(keys.refusedKeys, (Ids{"x", "y", "z"}));
  // Deleting one makes room for one.
  host::deleteBackward(*session().sdkWindow, "Currency_Search_Field", 1);
  EXPECT_TRUE(host::typeText(*session().sdkWindow, "Currency_Search_Field", "ab").refusedKeys ==
              Ids{"b"});
  EXPECT_EQ(view->searchField->text, std::string(63, 'e') + "a");
}

TEST_F(CurrencySelectionViewTest, RecentSectionComesFirstAndLeavesWhenNothingInItMatches) {
  store->set(KAllSelectedCurrencies, json{{"840", 2}});
  store->set(KRecentCurrency, "978");
  auto view = open();
  auto shown = sections(*view);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], (Ids{"Recently Used", "EUR", "USD"}));
  EXPECT_EQ(shown[1].size(), 1u + 175);
  EXPECT_EQ(shown[1][0], "Currencies");
  search(*view, "euro");
  EXPECT_EQ(sections(*view), (std::vector<Ids>{{"Recently Used", "EUR"},
                                               {"Currencies", "XBA", "XBB", "XBC", "XBD"}}));
  search(*view, "yen");
  EXPECT_EQ(sections(*view), (std::vector<Ids>{{"", "JPY"}}));
  // A match in the recent list only still leaves the currencies section empty: error view.
  search(*view, "usd");
  EXPECT_EQ(sections(*view), (std::vector<Ids>{{"Recently Used", "USD"}, {"Currencies"}}));
  EXPECT_FALSE(view->errorView->hidden);
}

TEST_F(CurrencySelectionViewTest, RowsNameTheCurrencyAndMarkTheOneInUse) {
  auto view = open();
  search(*view, "dollar");
  const auto& cells = view->tableView->visibleCells();
  ASSERT_GE(cells.size(), 8u);
  // Rows are numbered from 0 and only the flow's currency (840) is marked.
  for (const auto& [at, cell] : cells) {
    EXPECT_EQ(cell->accessibilityIdentifier, "CurrencyCell" + std::to_string(at.row));
    EXPECT_FALSE(cell->selected) << cell->textLabel()->text;
  }
  view->tableView->scrollToRow({0, 20});
  const auto usd = view->tableView->cellForRow({0, 20});
  ASSERT_NE(usd, nullptr);
  EXPECT_EQ(usd->textLabel()->text, "USD - United States dollar");
  EXPECT_TRUE(usd->selected);
  EXPECT_EQ(usd->contentView()->backgroundColor, platform::Color::fromHex("#F2F4F8"));
  EXPECT_EQ(view->tableView->cellForRow({0, 19})->contentView()->backgroundColor,
            platform::Color::white());
}

TEST_F(CurrencySelectionViewTest, KeyboardLeavesEveryRowReachableUntilReturnPutsItAway) {
  auto view = open();
  auto& table = *view->tableView;
  // Scrolled to its end, the last row ends above the panel's rounded bottom corners.
  const auto& panel = *view->contentView;
  const double panelBottom = panel.convertToWindow(panel.bounds()).maxY();
  const auto lastRowBottom = [&] {
    table.setContentOffset(table.maxContentOffset());
    const auto cell = table.cellForRow({0, 176});
    return cell ? cell->convertToWindow(cell->bounds()).maxY() : 0.0;
  };
  EXPECT_LE(lastRowBottom(), panelBottom - panel.cornerRadius);
  EXPECT_GT(lastRowBottom(), panelBottom - panel.cornerRadius - table.rowHeight);
  ASSERT_EQ(tapAndSettle("Currency_Search_Field"), host::DriveResult::kDone);
  const double listBottom = table.convertToWindow(table.bounds()).maxY();
  const double keyboardTop = session().sdkWindow->bounds().height - platform::kKeyboardHeight;
  EXPECT_EQ(table.bottomInset(), listBottom - keyboardTop);
  table.scrollToRow({0, 176});
  EXPECT_EQ(table.cellForRow({0, 176})->convertToWindow(table.bounds()).y + table.rowHeight,
            keyboardTop);
  EXPECT_TRUE(view->textFieldShouldReturn());
  EXPECT_FALSE(view->searchField->isFirstResponder());
  EXPECT_LE(lastRowBottom(), panelBottom - panel.cornerRadius);
}

TEST_F(CurrencySelectionViewTest, OpeningOverAScreenClosesItsKeyboard) {
  ZeltoMerchantSDK::launchRefundPaymentFlow(validRefund(), recorder.handler());
  loop().runFor(testing::kSettle);
  auto& window = *session().sdkWindow;
  ASSERT_EQ(host::typeText(window, "Amount_Field", "1").status, host::DriveResult::kDone);
  const auto field = host::findView(window, "Amount_Field");
  ASSERT_TRUE(field && field->isFirstResponder());
  auto view = ZELTOCurrencySelectionView::presentOver(window, picks);
  EXPECT_FALSE(field->isFirstResponder());
  EXPECT_EQ(view->superview().get(), &window);
}

TEST_F(CurrencySelectionViewTest, ChoosingStoresTheRecordAtOnceAndReportsItsCodeAfterTheFade) {
  auto view = open();
  search(*view, "euro");
  ASSERT_EQ(tapAndSettle("CurrencyCell0"), host::DriveResult::kDone);
  EXPECT_EQ(heard, (Ids{"978/EUR"}));
  EXPECT_EQ(view->superview(), nullptr);
  // Choosing is not a recorded use of the currency.
  EXPECT_FALSE(store->object(KAllSelectedCurrencies));
  EXPECT_FALSE(store->object(KRecentCurrency));
}

TEST_F(CurrencySelectionViewTest, FadeTakesTwoTenthsAndReportsOnceWhateverIsTappedMeanwhile) {
  auto view = open();
  search(*view, "yen");
  ASSERT_EQ(host::tap(*session().sdkWindow, "CurrencyCell0"), host::DriveResult::kDone);
  EXPECT_EQ(session().selectedCurrency->currencyId, "JPY");
  EXPECT_EQ(view->alpha, 0);
  EXPECT_EQ(host::tap(*session().sdkWindow, "Currency_Close_Button"),
            host::DriveResult::kNotInteractive);
  view->hideView("36");
  view->closeBtnAction();
  loop().runFor(0.19);
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(view->superview(), session().sdkWindow);
  loop().runFor(0.02);
  EXPECT_EQ(heard, (Ids{"392/JPY"}));
}

TEST_F(CurrencySelectionViewTest, ClosingReportsTheCurrencyInUseAndStoresNothing) {
  struct Case {
    const char* name;
    bool closeButton;  // else hideView("36")
    bool keepDelegate;
    Ids heard;
  };
  const Case cases[] = {
      {"close button", true, true, {"840"}},
      {"hideView", false, true, {"36"}},
      {"delegate gone before the fade ends", true, false, {}},
  };
  for (const Case& c : cases) {
    heard.clear();
    auto view = open();
    if (c.closeButton) {
      EXPECT_EQ(host::tap(*session().sdkWindow, "Currency_Close_Button"), host::DriveResult::kDone);
    } else {
      view->hideView("36");
    }
    auto listener = std::exchange(picks, nullptr);
    if (!c.keepDelegate) listener.reset();
    view.reset();  // the fade keeps the view alive until it ends
    loop().runFor(0.2);
    EXPECT_EQ(heard, c.heard) << c.name;
    EXPECT_EQ(session().selectedCurrency, nullptr) << c.name;
    EXPECT_EQ(host::findView(*session().sdkWindow, "Currency_Selection_View"), nullptr);
    picks = std::make_shared<Picks>(&heard);
    settle();
  }
}

}  // namespace
}  // namespace zelto
