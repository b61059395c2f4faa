#include "platform/table_view.h"

#include <algorithm>

namespace zelto::platform {
namespace {

constexpr double kTextInset = 16;
// Cells kept for reuse; more than a screenful is never needed.
constexpr std::size_t kReusableCells = 32;

}  // namespace

TableViewCell::TableViewCell(std::string reuseIdentifier)
    : reuseIdentifier_(std::move(reuseIdentifier)),
      contentView_(std::make_shared<View>()),
      textLabel_(std::make_shared<Label>()),
      separator_(std::make_shared<View>()) {}

void TableViewCell::layoutSubviews() {
  if (contentView_->superview().get() != this) {
    addSubview(contentView_);
    contentView_->addSubview(textLabel_);
  }
  contentView_->setFrame(bounds());
  textLabel_->setFrame(
      {kTextInset, 0, std::max(0.0, frame().width - 2 * kTextInset), frame().height});
}

TableViewHeader::TableViewHeader() : textLabel_(std::make_shared<Label>()) {
  addSubview(textLabel_);
}

int TableView::numberOfRows(int section) const {
  if (section < 0 || section >= numberOfSections()) return 0;
  return sections_[static_cast<std::size_t>(section)].rows;
}

double TableView::headerHeight(const Section& section) const {
  return section.title.empty() ? 0 : sectionHeaderHeight;
}

std::optional<Rect> TableView::rectForRow(IndexPath indexPath) const {
  if (indexPath.row < 0 || indexPath.row >= numberOfRows(indexPath.section)) return std::nullopt;
  const Section& section = sections_[static_cast<std::size_t>(indexPath.section)];
  return Rect{0, section.top + headerHeight(section) + indexPath.row * rowHeight, frame().width,
              rowHeight};
}

double TableView::contentHeight() const {
  if (sections_.empty()) return 0;
  const Section& last = sections_.back();
  return last.top + headerHeight(last) + last.rows * rowHeight;
}

double TableView::maxContentOffset() const {
  return std::max(0.0, contentHeight() + bottomInset_ - frame().height);
}

void TableView::setContentOffset(double offset) {
  contentOffset_ = std::clamp(offset, 0.0, maxContentOffset());
  layoutSubviews();
}

void TableView::scrollToRow(IndexPath indexPath) {
  const auto rect = rectForRow(indexPath);
  if (!rect) return;
  const double visible = frame().height - bottomInset_;
  if (rect->y < contentOffset_) {
    setContentOffset(rect->y);
  } else if (rect->y + rect->height > contentOffset_ + visible) {
    setContentOffset(rect->y + rect->height - visible);
  }
}

void TableView::setBottomInset(double inset) {
  bottomInset_ = std::max(0.0, inset);
  setContentOffset(contentOffset_);
}

void TableView::reloadData() {
  sections_.clear();
  auto source = dataSource.lock();
  if (source) {
    const int count = std::max(0, source->numberOfSections(*this));
    double top = 0;
    for (int index = 0; index < count; ++index) {
      Section section;
      section.top = top;
      section.title = source->titleForHeader(*this, index).value_or("");
      section.rows = std::max(0, source->numberOfRows(*this, index));
      top += headerHeight(section) + section.rows * rowHeight;
      sections_.push_back(std::move(section));
    }
  }
  // Every cell shows data that may have changed: all are asked for again.
  for (auto& [indexPath, cell] : visible_) {
    cell->removeFromSuperview();
    if (reusable_.size() < kReusableCells) reusable_.push_back(std::move(cell));
  }
  visible_.clear();
  contentOffset_ = std::clamp(contentOffset_, 0.0, maxContentOffset());
  layoutSubviews();
}

std::shared_ptr<TableViewCell> TableView::dequeueReusableCell(std::string_view identifier) {
  const auto found = std::find_if(reusable_.begin(), reusable_.end(), [identifier](const auto& c) {
    return c->reuseIdentifier() == identifier;
  });
  if (found == reusable_.end()) return nullptr;
  auto cell = std::move(*found);
  reusable_.erase(found);
  cell->selected = false;
  return cell;
}

std::shared_ptr<TableViewCell> TableView::cellForRow(IndexPath indexPath) const {
  const auto found = visible_.find(indexPath);
  return found == visible_.end() ? nullptr : found->second;
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell& cell) const {
  for (const auto& [indexPath, shown] : visible_) {
    if (shown.get() == &cell) return indexPath;
  }
  return std::nullopt;
}

void TableView::layoutSubviews() {
  const double top = contentOffset_;
  const double bottom = contentOffset_ + frame().height;
  const auto intersects = [top, bottom](double y, double height) {
    return height > 0 && y < bottom && y + height > top;
  };

  // Cells of rows that left the visible part (or no longer exist) become reusable.
  for (auto it = visible_.begin(); it != visible_.end();) {
    const auto rect = rectForRow(it->first);
    if (rect && intersects(rect->y, rect->height)) {
      ++it;
      continue;
    }
    it->second->removeFromSuperview();
    if (reusable_.size() < kReusableCells) reusable_.push_back(std::move(it->second));
    it = visible_.erase(it);
  }
  for (auto& header : headers_) header->removeFromSuperview();
  headers_.clear();

  auto source = dataSource.lock();
  for (int s = 0; s < numberOfSections(); ++s) {
    const Section& section = sections_[static_cast<std::size_t>(s)];
    const double height = headerHeight(section);
    if (intersects(section.top, height)) {
      auto header = std::make_shared<TableViewHeader>();
      header->setFrame({0, section.top - top, frame().width, height});
      header->backgroundColor = sectionHeaderBackgroundColor;
      header->textLabel()->text = section.title;
      header->textLabel()->font = sectionHeaderFont;
      header->textLabel()->textColor = sectionHeaderTextColor;
      header->textLabel()->setFrame(
          {kTextInset, 0, std::max(0.0, frame().width - 2 * kTextInset), height});
      addSubview(header);
      headers_.push_back(std::move(header));
    }
    // Only the rows that can intersect the visible part are visited.
    const double firstRowTop = section.top + height;
    const int first = std::max(0, static_cast<int>((top - firstRowTop) / rowHeight));
    for (int row = first; row < section.rows; ++row) {
      const double y = firstRowTop + row * rowHeight;
      if (y >= bottom) break;
      if (!intersects(y, rowHeight)) continue;
      const IndexPath indexPath{s, row};
      auto cell = cellForRow(indexPath);
      if (!cell && source) {
        cell = source->cellForRow(*this, indexPath);
        if (!cell) continue;
        visible_[indexPath] = cell;
      }
      if (!cell) continue;
      if (!cell->wired_) {
        cell->wired_ = true;
        cell->addAction(ControlEvent::kTouchUpInside,
                        [weakTable = std::weak_ptr<View>(weak_from_this()),
                         weakCell = std::weak_ptr<View>(cell)] {
                          auto table = std::static_pointer_cast<TableView>(weakTable.lock());
                          auto tapped = std::static_pointer_cast<TableViewCell>(weakCell.lock());
                          if (table && tapped) table->cellTapped(*tapped);
                        });
      }
      cell->setFrame({0, y - top, frame().width, rowHeight});
      cell->separator_->backgroundColor = separatorColor;
      cell->separator_->hidden = !separatorColor;
      cell->layoutSubviews();
      if (cell->superview().get() != this) addSubview(cell);
    }
  }
}

void TableView::cellTapped(const TableViewCell& cell) {
  const auto indexPath = indexPathForCell(cell);
  if (!indexPath) return;
  if (auto target = delegate.lock()) target->didSelectRow(*this, *indexPath);
}

}  // namespace zelto::platform
