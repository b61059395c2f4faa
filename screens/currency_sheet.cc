#include "screens/currency_sheet.h"

#include <algorithm>
#include <cctype>

#include "base/resource_bundle.h"
#include "base/text.h"
#include "platform/animation.h"
#include "platform/notification_center.h"
#include "sdk/session.h"

namespace zelto {
namespace {

constexpr double kFadeDuration = 0.2;
constexpr double kRowHeight = 60;
constexpr double kMargin = 16;
constexpr double kPanelTop = 64;
constexpr double kPanelBottomGap = 40;
constexpr double kCloseButtonSide = 44;
constexpr double kPanelCornerRadius = 12;
constexpr std::string_view kCellIdentifier = "CurrencyCell";

platform::Color mist() { return platform::Color::fromHex("#F2F4F8"); }
platform::Color ink() { return platform::Color::fromHex("#1D2A59"); }
platform::Color slate() { return platform::Color::fromHex("#6F7099"); }

bool sameCode(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

ZELTOCurrencySelectionView::ZELTOCurrencySelectionView(platform::Rect frame) : View(frame) {
  backgroundColor = platform::Color{0, 0, 0, 0.5};
  alpha = 0;
  accessibilityIdentifier = "Currency_Selection_View";
  auto [recent, others] = KitCurrencyData::shared()->getCurrencies();
  recentCurrenciesArr = recent;
  filteredRecentCurrenciesArr = std::move(recent);
  currenciesArr = others;
  filteredCurrenciesArr = std::move(others);
}

std::shared_ptr<ZELTOCurrencySelectionView> ZELTOCurrencySelectionView::create(
    platform::Rect frame) {
  auto view = std::make_shared<ZELTOCurrencySelectionView>(frame);
  view->buildPanel();
  return view;
}

std::shared_ptr<ZELTOCurrencySelectionView> ZELTOCurrencySelectionView::presentOver(
    platform::Window& window, std::weak_ptr<ZELTOCurrencySelectionViewDelegate> delegate) {
  window.endEditing(true);
  auto view = create(window.bounds());
  view->currencySelectionDelegate = std::move(delegate);
  window.addSubview(view);
  view->show();
  return view;
}

void ZELTOCurrencySelectionView::buildPanel() {
  const auto& config = *ZeltoSession::sharedSession().internalConfiguration();
  const double width = std::max(0.0, frame().width - 2 * kMargin);
  const double height = std::max(0.0, frame().height - kPanelTop - kPanelBottomGap);
  contentView = std::make_shared<platform::View>(platform::Rect{kMargin, kPanelTop, width, height});
  contentView->backgroundColor = platform::Color::white();
  contentView->cornerRadius = kPanelCornerRadius;
  contentView->clipsToBounds = true;
  addSubview(contentView);

  auto header = std::make_shared<platform::View>(platform::Rect{0, currentY, width, viewHeight});
  header->backgroundColor = config.backgroundColor;
  contentView->addSubview(header);
  auto title = std::make_shared<platform::Label>();
  title->setFrame({kMargin, 0, std::max(0.0, width - kMargin - kCloseButtonSide - 8), viewHeight});
  title->text = platform::localizedString("Select Currency");
  title->font = platform::Font::boldSystemFont(20);
  title->textColor = config.fontColor;
  header->addSubview(title);
  auto close = std::make_shared<platform::Button>();
  close->setFrame({width - kCloseButtonSide - 6, (viewHeight - kCloseButtonSide) / 2,
                   kCloseButtonSide, kCloseButtonSide});
  if (auto image = platform::imageNamed("icon_close")) {
    close->setImage(*image, platform::ControlState::kNormal);
  }
  close->tintColor = platform::Color::white();
  close->accessibilityIdentifier = "Currency_Close_Button";
  close->addAction(platform::ControlEvent::kTouchUpInside, [weakSelf = weak_from_this()] {
    if (auto self = std::static_pointer_cast<ZELTOCurrencySelectionView>(weakSelf.lock())) {
      self->closeBtnAction();
    }
  });
  header->addSubview(close);
  currentY += viewHeight;

  searchField = std::make_shared<platform::TextField>();
  searchField->setFrame({kMargin, currentY, std::max(0.0, width - 2 * kMargin), viewHeight});
  searchField->backgroundColor = platform::Color::white();
  searchField->placeholder = platform::localizedString("ZELTO_SEARCH");
  searchField->placeholderColor = slate();
  searchField->textColor = ink();
  searchField->font = platform::Font::systemFont(14);
  searchField->accessibilityIdentifier = "Currency_Search_Field";
  searchField->shouldChangeCharacters = [weakField = std::weak_ptr(searchField)](
                                            platform::TextRange, std::string_view replacement) {
    const auto field = weakField.lock();
    return replacement.empty() ||
           (field && text::characterCount(field->text) + text::characterCount(replacement) <=
                         kMaxSearchLength);
  };
  searchField->addAction(platform::ControlEvent::kEditingChanged, [weakSelf = weak_from_this()] {
    if (auto self = std::static_pointer_cast<ZELTOCurrencySelectionView>(weakSelf.lock())) {
      self->textFieldDidChange();
    }
  });
  contentView->addSubview(searchField);
  currentY += viewHeight;
  auto line = std::make_shared<platform::View>(platform::Rect{0, currentY, width, 2});
  line->backgroundColor = mist();
  contentView->addSubview(line);
  currentY += 2;

  const platform::Rect listFrame{0, currentY, width, std::max(0.0, height - currentY)};
  tableView = std::make_shared<platform::TableView>(listFrame);
  tableView->rowHeight = kRowHeight;
  tableView->backgroundColor = platform::Color::white();
  tableView->separatorColor = mist();
  tableView->sectionHeaderBackgroundColor = platform::Color::white();
  tableView->sectionHeaderTextColor = slate();
  tableView->accessibilityIdentifier = "Currency_Table";
  tableView->setBottomInset(kPanelCornerRadius);
  const auto self = std::static_pointer_cast<ZELTOCurrencySelectionView>(shared_from_this());
  tableView->dataSource = std::static_pointer_cast<platform::TableViewDataSource>(self);
  tableView->delegate = std::static_pointer_cast<platform::TableViewDelegate>(self);
  contentView->addSubview(tableView);

  errorView = std::make_shared<platform::View>(listFrame);
  errorView->backgroundColor = platform::Color::white();
  errorView->accessibilityIdentifier = "Currency_Error_View";
  errorView->hidden = true;
  auto message = std::make_shared<platform::Label>();
  message->setFrame({kMargin, kMargin, std::max(0.0, width - 2 * kMargin), 2 * viewHeight});
  message->text = platform::localizedString("Sorry! We can’t find any currency with that name.");
  message->textColor = slate();
  message->font = platform::Font::systemFont(14);
  message->textAlignment = platform::TextAlignment::kCenter;
  message->numberOfLines = 0;
  errorView->addSubview(message);
  contentView->addSubview(errorView);

  tableView->reloadData();
  observeKeyboard();
}

ZELTOCurrencySelectionView::~ZELTOCurrencySelectionView() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
}

void ZELTOCurrencySelectionView::observeKeyboard() {
  auto& center = platform::NotificationCenter::defaultCenter();
  const auto adjust = [weakSelf = weak_from_this()](const platform::Notification& note) {
    auto self = std::static_pointer_cast<ZELTOCurrencySelectionView>(weakSelf.lock());
    if (!self || !note.keyboardFrame || !self->window()) return;
    // The rows the keyboard covers can still be scrolled above it.
    const double listBottom = self->tableView->convertToWindow(self->tableView->bounds()).maxY();
    self->tableView->setBottomInset(
        std::max(kPanelCornerRadius, listBottom - note.keyboardFrame->y));
  };
  center.addObserver(this, std::string(platform::kKeyboardWillShowNotification), adjust);
  center.addObserver(this, std::string(platform::kKeyboardWillHideNotification), adjust);
}

void ZELTOCurrencySelectionView::show() {
  platform::animate(kFadeDuration, 0, platform::AnimationCurve::kEaseOut, [this] { alpha = 1.0; });
}

bool ZELTOCurrencySelectionView::hasRecentSection() const {
  return filteredRecentCurrenciesArr && !filteredRecentCurrenciesArr->empty();
}

void ZELTOCurrencySelectionView::textFieldDidChange() {
  const std::string& text = searchField->text;
  filteredCurrenciesArr = filterCurrencies(currenciesArr, text);
  if (recentCurrenciesArr) {
    filteredRecentCurrenciesArr = filterCurrencies(*recentCurrenciesArr, text);
  } else {
    filteredRecentCurrenciesArr.reset();
  }
  tableView->setContentOffset(0);
  tableView->reloadData();
}

bool ZELTOCurrencySelectionView::textFieldShouldReturn() {
  searchField->resignFirstResponder();
  return true;
}

int ZELTOCurrencySelectionView::numberOfSections(platform::TableView&) {
  return hasRecentSection() ? 2 : 1;
}

int ZELTOCurrencySelectionView::numberOfRows(platform::TableView&, int section) {
  if (section == 0 && hasRecentSection()) {
    return static_cast<int>(filteredRecentCurrenciesArr->size());
  }
  errorView->hidden = !filteredCurrenciesArr.empty();
  return static_cast<int>(filteredCurrenciesArr.size());
}

std::optional<std::string> ZELTOCurrencySelectionView::titleForHeader(platform::TableView&,
                                                                      int section) {
  if (section == 0 && hasRecentSection()) return platform::localizedString("Recently Used");
  if (section == 1) return platform::localizedString("Currencies");
  return std::string();
}

std::shared_ptr<KitCurrencyData> ZELTOCurrencySelectionView::currencyAt(
    platform::IndexPath indexPath) const {
  const KitCurrencyList& list = indexPath.section == 0 && hasRecentSection()
                                    ? *filteredRecentCurrenciesArr
                                    : filteredCurrenciesArr;
  if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= list.size()) return nullptr;
  return list[static_cast<std::size_t>(indexPath.row)];
}

std::shared_ptr<platform::TableViewCell> ZELTOCurrencySelectionView::cellForRow(
    platform::TableView& table, platform::IndexPath indexPath) {
  const auto record = currencyAt(indexPath);
  if (!record) return nullptr;
  auto cell = table.dequeueReusableCell(kCellIdentifier);
  if (!cell) cell = std::make_shared<platform::TableViewCell>(std::string(kCellIdentifier));
  cell->selectionStyle = platform::TableViewCell::SelectionStyle::kNone;
  cell->accessibilityIdentifier = std::string(kCellIdentifier) + std::to_string(indexPath.row);
  auto& label = *cell->textLabel();
  label.text = record->currencyId + " - " + record->currencyDescription;
  label.font = platform::Font::systemFont(14);
  label.textColor = ink();
  cell->selected =
      sameCode(record->currencyCode, ZeltoSession::sharedSession().activeCurrencyCode());
  cell->contentView()->backgroundColor = cell->selected ? mist() : platform::Color::white();
  return cell;
}

void ZELTOCurrencySelectionView::didSelectRow(platform::TableView& table,
                                              platform::IndexPath indexPath) {
  const auto record = currencyAt(indexPath);
  if (!record || hiding_) return;
  if (auto cell = table.cellForRow(indexPath)) cell->contentView()->backgroundColor = mist();
  hide(record->currencyCode);
  ZeltoSession::sharedSession().selectedCurrency = record;
}

void ZELTOCurrencySelectionView::closeBtnAction() {
  hide(ZeltoSession::sharedSession().activeCurrencyCode());
}

void ZELTOCurrencySelectionView::hideView(const std::string& currency) { hide(currency); }

void ZELTOCurrencySelectionView::hide(std::string currency) {
  if (hiding_) return;
  hiding_ = true;
  enabled = false;
  searchField->resignFirstResponder();
  // The completion keeps the view alive until the fade ends, even once its owner lets go.
  auto self = std::static_pointer_cast<ZELTOCurrencySelectionView>(shared_from_this());
  platform::animate(
      kFadeDuration, 0, platform::AnimationCurve::kEaseOut, [this] { alpha = 0; },
      [self, currency = std::move(currency)](bool) {
        self->removeFromSuperview();
        if (auto target = self->currencySelectionDelegate.lock()) {
          target->didCloseSelectionView(currency);
        }
      });
}

}  // namespace zelto
