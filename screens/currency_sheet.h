// ZELTOCurrencySelectionView: the overlay in which the merchant chooses the currency of a
// payment form. It covers the library's window with a dimmed background and shows a panel with
// a title, a close button, a search field and the currency list.
//
// - The lists are read once, at creation, from KitCurrencyData::shared()->getCurrencies(): the
//   recently used currencies (section 0, "Recently Used", only while it has rows) and all other
//   currencies (titled "Currencies" below the recent section, untitled when alone).
// - Search keeps, in list order, the records whose alphabetic code or description contains the
//   typed text, case-insensitively; the numeric code is not searched. An empty text restores
//   both lists. The search field takes at most kMaxSearchLength (64) characters, more than
//   any code or name holds: later keys are refused. The error view shows exactly when the
//   currencies section has no rows; the recent section disappears when none of its currencies
//   match.
// - Rows read "USD - United States dollar"; the row of the session's activeCurrencyCode is
//   marked selected on the mist background. Rows are 60 points high.
// - Choosing a row, the close button or hideView() fade the view out over 0.2 s; when the fade
//   ends the view leaves its window and the delegate, if it is still alive, hears the chosen
//   code (didCloseSelectionView): the row's numeric code, the unchanged active code for the
//   close button, the given code for hideView(). A chosen row is stored as the session's
//   selectedCurrency at once, before the delegate hears of it; closing stores nothing. Choosing
//   does not record a use of the currency (KitCurrencyData::increaseCurrencyCount). Once the
//   fade has started the view takes no more taps and later hide requests do nothing, so the
//   delegate hears exactly once.
//
// - The list keeps room at its bottom for the panel's rounded corners, and while a keyboard covers
//   the lower part of the list it gains that much room instead, so that every row can be
//   scrolled into view whole; Return gives up the keyboard.
//
// Accessibility identifiers: "Currency_Selection_View" (the overlay), "Currency_Search_Field",
// "Currency_Close_Button", "Currency_Table", "Currency_Error_View", and "CurrencyCell0",
// "CurrencyCell1", ... for the rows of each section, numbered from 0 by row.
//
// Create with ZELTOCurrencySelectionView::create(). Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CURRENCY_SHEET_H_
#define ZELTO_SCREENS_CURRENCY_SHEET_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "currency/kit_currency_data.h"
#include "platform/table_view.h"
#include "platform/view.h"
#include "platform/window.h"

namespace zelto {

class ZELTOCurrencySelectionViewDelegate {
 public:
  virtual ~ZELTOCurrencySelectionViewDelegate() = default;
  // `currency` is a numeric code as the currency table writes it ("978", "36").
  virtual void didCloseSelectionView(const std::string& currency) = 0;
};

class ZELTOCurrencySelectionView : public platform::View,
                                   public platform::TableViewDataSource,
                                   public platform::TableViewDelegate {
 public:
  // Most characters the search field takes.
  static constexpr std::size_t kMaxSearchLength = 64;

  // The overlay over `frame` (the main screen's bounds), transparent until show().
  static std::shared_ptr<ZELTOCurrencySelectionView> create(platform::Rect frame);
  // Creates the view over the whole of `window`, on top of what it shows, with `delegate`, and
  // fades it in. The keyboard of the screen below closes.
  static std::shared_ptr<ZELTOCurrencySelectionView> presentOver(
      platform::Window& window, std::weak_ptr<ZELTOCurrencySelectionViewDelegate> delegate);

  // Fades the view in (alpha to 1 over 0.2 s).
  void show();
  // Fades the view out and reports `currency`.
  void hideView(const std::string& currency);

  void textFieldDidChange();
  void closeBtnAction();
  // The search field's Return key: the field gives up the keyboard.
  bool textFieldShouldReturn();

  // Table data source and delegate.
  int numberOfSections(platform::TableView& tableView) override;
  int numberOfRows(platform::TableView& tableView, int section) override;
  std::optional<std::string> titleForHeader(platform::TableView& tableView, int section) override;
  std::shared_ptr<platform::TableViewCell> cellForRow(platform::TableView& tableView,
                                                      platform::IndexPath indexPath) override;
  void didSelectRow(platform::TableView& tableView, platform::IndexPath indexPath) override;

  // The record shown in a row, by the section rule above; null out of range.
  std::shared_ptr<KitCurrencyData> currencyAt(platform::IndexPath indexPath) const;

  KitCurrencyList currenciesArr;
  KitCurrencyList filteredCurrenciesArr;
  std::optional<KitCurrencyList> recentCurrenciesArr;
  std::optional<KitCurrencyList> filteredRecentCurrenciesArr;
  std::shared_ptr<platform::View> contentView;
  std::shared_ptr<platform::TableView> tableView;
  std::shared_ptr<platform::View> errorView;
  std::shared_ptr<platform::TextField> searchField;
  double viewHeight = 50.0;
  double currentY = 0;
  std::weak_ptr<ZELTOCurrencySelectionViewDelegate> currencySelectionDelegate;

  explicit ZELTOCurrencySelectionView(platform::Rect frame);
  ~ZELTOCurrencySelectionView() override;

 private:
  bool hasRecentSection() const;
  void buildPanel();
  void observeKeyboard();
  void hide(std::string currency);

  bool hiding_ = false;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CURRENCY_SHEET_H_
