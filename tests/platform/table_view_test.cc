#include "platform/table_view.h"

#include <gtest/gtest.h>

#include "host/ui_driver.h"
#include "platform/window.h"

namespace zelto::platform {
namespace {

// Sections of given sizes and titles; cells named "row S.R"; counts the cells it had to make.
class Rows : public TableViewDataSource, public TableViewDelegate {
 public:
  int numberOfSections(TableView&) override { return static_cast<int>(sizes.size()); }
  int numberOfRows(TableView&, int section) override { return sizes.at(section); }
  std::optional<std::string> titleForHeader(TableView&, int section) override {
    return titles.at(section);
  }
  std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath at) override {
    ++asked;
    auto cell = table.dequeueReusableCell("row");
    if (!cell) {
      ++made;
      cell = std::make_shared<TableViewCell>("row");
    }
    cell->accessibilityIdentifier =
        "row " + std::to_string(at.section) + "." + std::to_string(at.row);
    return cell;
  }
  void didSelectRow(TableView&, IndexPath at) override { selected.push_back(at); }

  std::vector<int> sizes;
  std::vector<std::string> titles;
  int asked = 0;
  int made = 0;
  std::vector<IndexPath> selected;
};

class TableViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rows->sizes = {3, 100};
    rows->titles = {"Recent", ""};
    table->rowHeight = 60;
    table->sectionHeaderHeight = 28;
    table->dataSource = rows;
    table->delegate = rows;
    window->addSubview(table);
    window->makeKeyAndVisible();
    table->reloadData();
  }
  std::vector<std::string> shown() const {
    std::vector<std::string> names;
    for (const auto& [at, cell] : table->visibleCells()) {
      names.push_back(cell->accessibilityIdentifier);
      EXPECT_EQ(cell->superview(), table);
      EXPECT_EQ(cell->frame().y, table->rectForRow(at)->y - table->contentOffset());
    }
    return names;
  }

  std::shared_ptr<Rows> rows = std::make_shared<Rows>();
  std::shared_ptr<Window> window = std::make_shared<Window>();
  std::shared_ptr<TableView> table = std::make_shared<TableView>(Rect{0, 0, 300, 200});
};

TEST_F(TableViewTest, RowsLieBelowTheirSectionHeaderAndOnlyVisibleOnesHaveCells) {
  EXPECT_EQ(table->numberOfSections(), 2);
  EXPECT_EQ(table->numberOfRows(1), 100);
  EXPECT_EQ(table->numberOfRows(2), 0);
  // The untitled second section has no header.
  EXPECT_EQ(table->rectForRow({0, 0}), (Rect{0, 28, 300, 60}));
  EXPECT_EQ(table->rectForRow({1, 0}), (Rect{0, 208, 300, 60}));
  EXPECT_FALSE(table->rectForRow({1, 100}));
  EXPECT_EQ(table->contentHeight(), 28 + 103 * 60);
  // 200 points show the header and rows 0.0 to 0.2 (the last cut at 208).
  EXPECT_EQ(shown(), (std::vector<std::string>{"row 0.0", "row 0.1", "row 0.2"}));
  EXPECT_EQ(host::findView(*window, "row 1.0"), nullptr);
  ASSERT_EQ(table->subviews().size(), 4u);
  EXPECT_EQ(std::dynamic_pointer_cast<TableViewHeader>(table->subviews()[0])->textLabel()->text,
            "Recent");
}

TEST_F(TableViewTest, ScrollingAsksForRowsComingIntoViewAndReusesThoseThatLeft) {
  table->setContentOffset(60 * 50);
  EXPECT_EQ(shown().front(), "row 1.46");
  EXPECT_EQ(shown().size(), 4u);  // 1.46 cut at the top, then 1.47 to 1.49
  EXPECT_EQ(rows->made, 4);       // the three cells of the first screen were used again
  EXPECT_NE(host::findView(*window, "row 1.48"), nullptr);

  // Kept within the content; a keyboard's inset makes room for the last rows.
  table->setContentOffset(1e9);
  EXPECT_EQ(table->contentOffset(), table->contentHeight() - 200);
  EXPECT_EQ(shown().back(), "row 1.99");
  table->setBottomInset(100);
  table->setContentOffset(1e9);
  EXPECT_EQ(table->contentOffset(), table->contentHeight() - 100);
  table->setContentOffset(-5);
  EXPECT_EQ(table->contentOffset(), 0);

  // The least scroll that shows the whole row above the inset.
  table->scrollToRow({0, 2});
  EXPECT_EQ(table->contentOffset(), 28 + 3 * 60 - 100);
  table->scrollToRow({0, 0});
  EXPECT_EQ(table->contentOffset(), 28);
  EXPECT_LE(rows->made, 8);
}

TEST_F(TableViewTest, TapsReachTheDelegateWithTheRowAndReloadRebuildsFromTheSource) {
  EXPECT_EQ(host::tap(*window, "row 0.1"), host::DriveResult::kDone);
  table->setContentOffset(28 + 3 * 60);
  EXPECT_EQ(host::tap(*window, "row 1.0"), host::DriveResult::kDone);
  EXPECT_EQ(rows->selected, (std::vector<IndexPath>{{0, 1}, {1, 0}}));

  rows->sizes = {0, 2};
  const int asked = rows->asked;
  table->reloadData();
  EXPECT_EQ(table->contentOffset(), 0);  // the shorter content no longer scrolls
  EXPECT_EQ(shown(), (std::vector<std::string>{"row 1.0", "row 1.1"}));
  EXPECT_EQ(rows->asked, asked + 2);
  // Without a data source the table is empty and taps go nowhere.
  rows.reset();
  table->reloadData();
  EXPECT_EQ(table->numberOfSections(), 0);
  EXPECT_TRUE(table->visibleCells().empty());
  EXPECT_EQ(host::tap(*window, "row 1.0"), host::DriveResult::kNotFound);
}

}  // namespace
}  // namespace zelto::platform
