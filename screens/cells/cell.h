// The cells of the payment forms and the protocol through which they report.
//
// ZELTOCellView is the base of every cell of ZELTOPaymentScrollView: a view built from one
// ZELTOPaymentCellModel, which knows its height for a width and lays its subviews out. A cell
// reports to its delegate, held weakly (the form view that holds the cell is usually the
// delegate, so a strong reference would be a cycle).
//
// ZELTOCellViewProtocol is the interface of everyone who listens to cells: the form view, which
// checks additional data itself and passes the rest on, and the screen behind it. Every
// operation has a neutral default, so a listener implements only what its screen uses:
// - isVaildData(inputCellView, text): whether `text` is acceptable in that cell (default yes);
// - cellViewType(cellType, dataString, isVaild): a cell's value changed;
// - touchedTextField(textField): a field of a cell began editing;
// - showGSMError(message): show the status banner with `message`; "" takes it away;
// - enableUpdateButton / disableUpdateButton; didChangeTipsAmount, didChangeCurrency(currency),
//   updateTotalAmount: for forms with tips, a currency drop-down and totals;
// - cellNeedsLayout(cell): a cell's height changed, the form lays its cells out again.
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_CELL_H_
#define ZELTO_SCREENS_CELLS_CELL_H_

#include <memory>
#include <optional>
#include <string>

#include "platform/view.h"
#include "screens/cells/payment_cell_model.h"

namespace zelto {

class ZELTOCellView;

class ZELTOCellViewProtocol {
 public:
  ZELTOCellViewProtocol() = default;
  virtual ~ZELTOCellViewProtocol() = default;
  ZELTOCellViewProtocol(const ZELTOCellViewProtocol&) = delete;
  ZELTOCellViewProtocol& operator=(const ZELTOCellViewProtocol&) = delete;

  virtual bool isVaildData(ZELTOCellView& /*inputCellView*/,
                           const std::optional<std::string>& /*text*/) {
    return true;
  }
  virtual void cellViewType(CellType /*cellType*/, const std::optional<std::string>& /*dataString*/,
                            bool /*isVaild*/) {}
  virtual void touchedTextField(platform::TextField& /*textField*/) {}
  virtual void showGSMError(const std::string& /*message*/) {}
  virtual void enableUpdateButton() {}
  virtual void disableUpdateButton() {}
  virtual void didChangeTipsAmount() {}
  virtual void didChangeCurrency(const std::string& /*currency*/) {}
  virtual void updateTotalAmount() {}
  virtual void cellNeedsLayout(ZELTOCellView& /*cell*/) {}
};

class ZELTOCellView : public platform::View {
 public:
  // Margins of a cell's content on the form.
  static constexpr double kMarginX = 16;
  static constexpr double kMarginY = 12;

  // Builds the cell's subviews for `model`. Called once, after the cell is owned by a
  // shared_ptr, by the form view (or a screen) that shows it.
  virtual void setCellModel(ZELTOPaymentCellModel model) { model_ = std::move(model); }
  CellType cellType() const { return model_.cellType; }

  virtual double preferredHeight(double width) const = 0;
  // Lays the subviews out for the current frame.
  virtual void layoutCell() = 0;
  // The field of the cell that takes typing, if any (the form keeps it above the keyboard).
  virtual std::shared_ptr<platform::TextField> inputTextField() const { return nullptr; }

  std::weak_ptr<ZELTOCellViewProtocol> delegate;

 protected:
  std::shared_ptr<ZELTOCellViewProtocol> lockedDelegate() const { return delegate.lock(); }
  // The accessibility identifier stem of the cell: its title key with "_" for spaces
  // ("Bill Number" gives "Bill_Number").
  std::string identifierStem() const;
  // Adds the cell's title: `text` in the headline font and ink colour, with `identifier`.
  std::shared_ptr<platform::Label> addTitleLabel(std::string text, std::string identifier);

  ZELTOPaymentCellModel model_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_CELL_H_
