// ZELTOMerchantDetailCellView: the card the refund goes back to, at the top of the confirm
// screen: a small navy card with the Orvan mark, the model's merchantName (the card holder,
// on one line or two, cut at the end of the second) and below it the model's merchantCity
// ("Orvan ..." and the card's last four digits), the two centred beside the card.
//
// Accessibility identifiers: "Card_Holder_Name", "Card_Last_Four".
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_MERCHANT_DETAIL_CELL_H_
#define ZELTO_SCREENS_CELLS_MERCHANT_DETAIL_CELL_H_

#include <memory>

#include "platform/controls.h"
#include "screens/cells/cell.h"

namespace zelto {

class ZELTOMerchantDetailCellView : public ZELTOCellView {
 public:
  void setCellModel(ZELTOPaymentCellModel model) override;
  double preferredHeight(double width) const override;
  void layoutCell() override;

 private:
  static double textWidth(double width);
  double nameHeight(double width) const;

  std::shared_ptr<platform::View> card_;
  std::shared_ptr<platform::ImageView> cardLogo_;
  std::shared_ptr<platform::Label> nameLabel_;
  std::shared_ptr<platform::Label> cardLabel_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_MERCHANT_DETAIL_CELL_H_
