// ZELTOCurrencyDropDownCellView: the currency drop-down of a payment form. It shows the model's
// title and a field with the alphabetic code of the form's currency (the model's currencyString,
// a numeric code; the flow's currency when empty) and a chevron.
//
// A tap on the field opens the currency selection view over the whole window
// (ZELTOCurrencySelectionView::presentOver) with this cell as its delegate; a tap while the view
// is open cannot reach the field, so the view closes through its own close button or a choice.
// hideSelectionView() closes it from code, reporting the unchanged currency. When the view
// reports, the field shows the reported currency and the cell's delegate hears
// didChangeCurrency with the numeric code.
//
// Accessibility identifiers: "Currency_Drop_Down" (the field), "Currency_Drop_Down_Title".
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_CURRENCY_DROP_DOWN_CELL_H_
#define ZELTO_SCREENS_CELLS_CURRENCY_DROP_DOWN_CELL_H_

#include <memory>
#include <string>

#include "platform/controls.h"
#include "screens/cells/cell.h"
#include "screens/cells/flow_state.h"
#include "screens/currency_sheet.h"

namespace zelto {

class ZELTOCurrencyDropDownCellView : public ZELTOCellView,
                                      public ZELTOCurrencySelectionViewDelegate {
 public:
  explicit ZELTOCurrencyDropDownCellView(const FlowState& flow) : flow_(flow) {}

  void setCellModel(ZELTOPaymentCellModel model) override;
  double preferredHeight(double width) const override;
  void layoutCell() override;

  // Opens the selection view over the cell's window; does nothing outside a window or while
  // the view is open.
  void showSelectionView();
  void hideSelectionView();
  void didCloseSelectionView(const std::string& currency) override;

  // The numeric code shown.
  const std::string& currencyCode() const { return currencyCode_; }
  // The open selection view, or null.
  std::shared_ptr<ZELTOCurrencySelectionView> selectionView() const {
    return selectionView_.lock();
  }

 private:
  const FlowState& flow_;
  void showCurrency(std::string code);

  std::string currencyCode_;
  std::shared_ptr<platform::Label> titleLabel_;
  std::shared_ptr<platform::Button> field_;
  std::shared_ptr<platform::ImageView> chevron_;
  std::weak_ptr<ZELTOCurrencySelectionView> selectionView_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_CURRENCY_DROP_DOWN_CELL_H_
