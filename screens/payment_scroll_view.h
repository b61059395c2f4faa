// ZELTOPaymentScrollView: the form of the payment screens, a scrolling column of cells built
// from ZELTOPaymentCellModels.
//
// prepareView(models) makes one cell per model, in order, and lays them out full width:
// paymentAmount gives a ZELTOFXAmountCellView in the flow currency, resetButton a
// ZELTOButtonCellView, billNumber to paymentPurpose a ZELTOSwitchCellView. Other types (the
// merchant details, summary, tips or currency drop-down of other forms) come from cellFactory,
// which a screen sets before preparing; a model no one can show is left out. The cells' delegate
// is this view; it passes what they report on to paymentDelegate (the screen, held weakly), and
// answers isVaildData itself for the additional-data cells:
//
// The additional-data check (isVaildData on an additional-data cell):
// 1. a text of more than 25 characters is invalid (nothing else happens);
// 2. the text is stored in additionalRequest's field of the cell;
// 3. additionalRequest's getAdditionalTlvValidCount() says whether the template is over its
//    99-character limit and whether it is full (over 98); over the limit, the screen is asked to
//    show the localised "ADDITIONAL_LIMIT_GSM_ERROR" (showGSMError), otherwise to clear it
//    (showGSMError with "");
// 4. every switched-off additional-data cell is dimmed and stops taking touches while the
//    template is full, and is restored otherwise;
// 5. the text is valid unless over the limit, in which case the field's previous value is put
//    back into additionalRequest (the refused text never counts towards later checks).
// Every other cell's isVaildData goes to paymentDelegate (valid when there is none).
//
// A resetButton report is passed on first, then every additional-data cell is switched off as
// the merchant would do it (each goes through the check and reports its field as not sent).
//
// Keyboard: keyboardWillShow(frame) sets the bottom content inset to the part of this view the
// keyboard covers and scrolls the field being edited into view; keyboardDidHide() removes the
// inset.
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_PAYMENT_SCROLL_VIEW_H_
#define ZELTO_SCREENS_PAYMENT_SCROLL_VIEW_H_

#include <zelto/sdk/zelto_payment_request.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "screens/cells/cell.h"
#include "screens/cells/flow_state.h"
#include "screens/cells/payment_cell_model.h"
#include "sdk/session.h"

namespace zelto {

class ZELTOPaymentScrollView : public platform::ScrollView, public ZELTOCellViewProtocol {
 public:
  using CellFactory = std::function<std::shared_ptr<ZELTOCellView>(const ZELTOPaymentCellModel&)>;

  // The cells it makes are given `flow`.
  explicit ZELTOPaymentScrollView(const FlowState& flow) : flow_(flow) {}

  // The field of a request that an additional-data cell edits; null for other cell types.
  static std::optional<std::string> ZeltoPaymentRequest::*additionalDataField(CellType type);

  void prepareView(const std::vector<ZELTOPaymentCellModel>& models);
  // Lays the cells out again from headerHeight down and sets the content size.
  void layoutCells();
  // Lays the form out again after the data behind it changed.
  void updateSummary() { layoutCells(); }

  const std::vector<std::shared_ptr<ZELTOCellView>>& cells() const { return cells_; }
  std::shared_ptr<ZELTOCellView> cell(CellType type) const;

  void keyboardWillShow(platform::Rect keyboardFrameInWindow);
  void keyboardDidHide();
  // Scrolls as little as needed for the field being edited to show above the keyboard.
  void scrollToEditingField(bool animated);

  bool isVaildData(ZELTOCellView& inputCellView, const std::optional<std::string>& text) override;
  void cellViewType(CellType cellType, const std::optional<std::string>& dataString,
                    bool isVaild) override;
  void touchedTextField(platform::TextField& textField) override;
  void showGSMError(const std::string& message) override;
  void enableUpdateButton() override;
  void disableUpdateButton() override;
  void didChangeTipsAmount() override;
  void didChangeCurrency(const std::string& currency) override;
  void updateTotalAmount() override;
  void cellNeedsLayout(ZELTOCellView& cell) override;

  std::weak_ptr<ZELTOCellViewProtocol> paymentDelegate;
  std::weak_ptr<platform::ViewController> owner;
  ZeltoActiveFlow screenType = ZeltoActiveFlow::requestPayment;
  // The request the additional-data check counts on: a copy, never the flow's stored request.
  std::shared_ptr<ZeltoPaymentRequest> additionalRequest;
  double headerHeight = 0;
  CellFactory cellFactory;

 private:
  const FlowState& flow_;
  std::shared_ptr<ZELTOCellView> makeCell(const ZELTOPaymentCellModel& model);
  bool checkAdditionalData(CellType type, const std::string& text);
  void setAdditionalCellsAddable(bool addable);

  std::vector<std::shared_ptr<ZELTOCellView>> cells_;
  std::vector<std::shared_ptr<platform::View>> separators_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_PAYMENT_SCROLL_VIEW_H_
