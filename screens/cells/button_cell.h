// ZELTOButtonCellView: a section heading with a text button on its right, such as "Additional
// Settings" with "Reset". A tap on the button sends cellViewType(cellType, absent, true).
//
// Accessibility identifiers: the button "Reset_Button" (its title key with "_" for spaces and
// "_Button"), the heading "Additional_Settings_Title" (the model's title key likewise).
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_BUTTON_CELL_H_
#define ZELTO_SCREENS_CELLS_BUTTON_CELL_H_

#include <memory>
#include <string>

#include "kit/kit_theme.h"
#include "screens/cells/cell.h"

namespace zelto {

class ZELTOButtonCellView : public ZELTOCellView {
 public:
  // The button takes the action colours of `theme`.
  explicit ZELTOButtonCellView(KitTheme theme) : theme_(std::move(theme)) {}

  // The button's title key; set before setCellModel.
  std::string buttonTitleKey = "Reset";

  void setCellModel(ZELTOPaymentCellModel model) override;
  double preferredHeight(double width) const override;
  void layoutCell() override;

  const std::shared_ptr<platform::Button>& button() const { return button_; }
  const std::shared_ptr<platform::Label>& titleLabel() const { return titleLabel_; }

 private:
  KitTheme theme_;
  std::shared_ptr<platform::Label> titleLabel_;
  std::shared_ptr<platform::Button> button_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_BUTTON_CELL_H_
