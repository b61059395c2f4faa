// ZELTOSummaryCellView: the refund summary of the confirm screen, a title and three rows of a
// text on the left and an amount on the right. Amounts are written as the alphabetic code of the
// session's activeCurrencyCode, one space and the amount formatted for the flow
// (Utilities::getISOCurrencyComponents):
//
//   Original Transaction      USD 25.50      the model's value, the amount paid
//   Refund Amount           - USD 25.50      the amount taken off
//   Total after Refund        USD 0.00       what is left of the paid amount
//
// When the model is set, the top and middle amounts are the model's value (both stay empty when
// it does not read as a number) and the bottom one is 0. updateCellWithAmount() rewrites the
// middle and bottom amounts for an entered refund.
//
// Accessibility identifiers: "Summary_Title", "Summary_Original_Amount",
// "Summary_Refund_Amount", "Summary_Total_After_Refund" (the amounts on the right).
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_SUMMARY_CELL_H_
#define ZELTO_SCREENS_CELLS_SUMMARY_CELL_H_

#include <array>
#include <memory>

#include "screens/cells/cell.h"
#include "screens/cells/flow_state.h"

namespace zelto {

class ZELTOSummaryCellView : public ZELTOCellView {
 public:
  explicit ZELTOSummaryCellView(const FlowState& flow) : flow_(flow) {}

  enum Row { kTop, kMiddle, kBottom };

  void setCellModel(ZELTOPaymentCellModel model) override;
  double preferredHeight(double width) const override;
  void layoutCell() override;

  void updateCellWithAmount(double refundAmount, double maxRefund);

 private:
  const FlowState& flow_;
  std::shared_ptr<platform::Label> titleLabel_;
  std::shared_ptr<platform::View> rule_;
  std::array<std::shared_ptr<platform::Label>, 3> left_;
  std::array<std::shared_ptr<platform::Label>, 3> right_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_SUMMARY_CELL_H_
