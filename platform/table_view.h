// TableView: a vertical list of rows in sections, each section with an optional title, filled
// by a data source and reporting taps to a delegate, as the phone toolkit's table view does.
//
// - Rows have one height (rowHeight); a section with a non-empty title starts with a header of
//   sectionHeaderHeight showing it, a section without one has no header.
// - reloadData() asks the data source again for everything: sections, rows, titles, and the
//   cells of the rows now visible. Counts are cached until the next reloadData().
// - Only rows that intersect the visible part (bounds scrolled by contentOffset) have cell views;
//   they are the table view's subviews, placed in its own coordinates, so whatever is found by
//   accessibility identifier or drawn is what a user would see. Scrolling asks the data source
//   for the cells of rows that come into view; cells that leave it are kept for
//   dequeueReusableCell() by their reuse identifier.
// - A tap on a visible cell (Window::sendEvent) calls the delegate's didSelectRow.
// - contentOffset runs from 0 to maxContentOffset(): content height plus bottomInset (the part
//   covered by a keyboard) less the visible height, and never below 0.
//
// Data source and delegate are held weakly. Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_TABLE_VIEW_H_
#define ZELTO_PLATFORM_TABLE_VIEW_H_

#include <compare>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/view.h"

namespace zelto::platform {

class TableView;

struct IndexPath {
  int section = 0;
  int row = 0;
  friend auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

// One row's view: a content view filling the cell, with a one-line text label inset by 16
// points on each side, and a one-point separator along its bottom edge from the label's left
// inset to the cell's right edge, drawn in the table view's separatorColor (none when absent).
class TableViewCell : public Control {
 public:
  enum class SelectionStyle { kNone, kDefault };

  explicit TableViewCell(std::string reuseIdentifier);

  const std::string& reuseIdentifier() const { return reuseIdentifier_; }
  const std::shared_ptr<View>& contentView() const { return contentView_; }
  const std::shared_ptr<Label>& textLabel() const { return textLabel_; }

  // Places the content view and label inside the cell's current bounds.
  void layoutSubviews();

  SelectionStyle selectionStyle = SelectionStyle::kDefault;
  bool selected = false;

 private:
  friend class TableView;

  std::string reuseIdentifier_;
  std::shared_ptr<View> contentView_;
  std::shared_ptr<Label> textLabel_;
  std::shared_ptr<View> separator_;
  bool wired_ = false;  // the table view's tap action has been added
};

class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual int numberOfSections(TableView& /*tableView*/) { return 1; }
  virtual int numberOfRows(TableView& tableView, int section) = 0;
  // Absent or empty: the section has no header.
  virtual std::optional<std::string> titleForHeader(TableView& /*tableView*/, int /*section*/) {
    return std::nullopt;
  }
  // The cell of a row coming into view; a null cell leaves the row empty.
  virtual std::shared_ptr<TableViewCell> cellForRow(TableView& tableView, IndexPath indexPath) = 0;
};

class TableViewDelegate {
 public:
  virtual ~TableViewDelegate() = default;
  virtual void didSelectRow(TableView& tableView, IndexPath indexPath) = 0;
};

// A section header: a label inset by 16 points, on the header background.
class TableViewHeader : public View {
 public:
  TableViewHeader();
  const std::shared_ptr<Label>& textLabel() const { return textLabel_; }

 private:
  std::shared_ptr<Label> textLabel_;
};

class TableView : public View {
 public:
  // Clips to its bounds, so rows cut at the edges are drawn cut.
  TableView() { clipsToBounds = true; }
  explicit TableView(Rect frame) : View(frame) { clipsToBounds = true; }

  std::weak_ptr<TableViewDataSource> dataSource;
  std::weak_ptr<TableViewDelegate> delegate;
  double rowHeight = 44;
  double sectionHeaderHeight = 28;
  std::optional<Color> separatorColor;
  std::optional<Color> sectionHeaderBackgroundColor;
  std::optional<Color> sectionHeaderTextColor;
  Font sectionHeaderFont = Font::boldSystemFont(13);

  void reloadData();
  // A cell that left the visible part with `identifier`, or null; the caller refills it.
  std::shared_ptr<TableViewCell> dequeueReusableCell(std::string_view identifier);

  int numberOfSections() const { return static_cast<int>(sections_.size()); }
  // 0 for a section out of range.
  int numberOfRows(int section) const;
  // Where the row lies in the content (before scrolling); absent for a row out of range.
  std::optional<Rect> rectForRow(IndexPath indexPath) const;
  double contentHeight() const;

  double contentOffset() const { return contentOffset_; }
  // Scrolls to `offset`, kept within 0 and maxContentOffset().
  void setContentOffset(double offset);
  double maxContentOffset() const;
  // Scrolls the least distance that shows the whole row.
  void scrollToRow(IndexPath indexPath);
  double bottomInset() const { return bottomInset_; }
  void setBottomInset(double inset);

  // The cells on screen, top first, and the row each shows.
  const std::map<IndexPath, std::shared_ptr<TableViewCell>>& visibleCells() const {
    return visible_;
  }
  // The visible cell of the row, or null.
  std::shared_ptr<TableViewCell> cellForRow(IndexPath indexPath) const;
  std::optional<IndexPath> indexPathForCell(const TableViewCell& cell) const;

  // Places the visible cells and headers again; call after changing the frame or row heights.
  void layoutSubviews();

 private:
  struct Section {
    std::string title;
    int rows = 0;
    double top = 0;  // content position of the section's header (or first row)
  };
  double headerHeight(const Section& section) const;
  void cellTapped(const TableViewCell& cell);

  std::vector<Section> sections_;
  std::map<IndexPath, std::shared_ptr<TableViewCell>> visible_;
  std::vector<std::shared_ptr<TableViewHeader>> headers_;
  std::vector<std::shared_ptr<TableViewCell>> reusable_;
  double contentOffset_ = 0;
  double bottomInset_ = 0;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_TABLE_VIEW_H_
