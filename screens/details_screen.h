// ZELTORequestPaymentDetailsViewController: where the merchant sets the amount of the
// request-payment flow and chooses which additional data the QR code carries.
//
// The screen edits a working copy (`request`) of the amount and the eight additional-data fields
// of the flow's stored request. "UPDATE" writes the copy back (an amount that reads as zero is
// stored as "0.0"), marks the flow updated and returns to the QR screen, which rebuilds its
// code; the close button returns without writing. The update button starts disabled and is
// enabled while every cell's value is valid (varIsValid, indexed by CellType raw value).
//
// Cells, in order: amount ("Request Amount"), "Additional Settings" with "Reset", then one switch
// cell each for bill number, mobile number, store ID, loyalty number, reference ID, consumer ID,
// terminal ID and purpose. Field states of an additional-data cell:
//   switch off                    -> the field is absent (not sent)
//   switch on, field empty        -> "***" (the consumer's app asks for it)
//   switch on, 1 to 25 characters -> the text
//   switch on, 26 characters      -> the field keeps its last valid value; "UPDATE" is disabled
// When the additional data would pass its 99-character limit the status banner shows the
// localised "ADDITIONAL_LIMIT_GSM_ERROR" and the key is refused; while it is full the switched-off
// cells are dimmed and cannot be turned on.
//
// The keyboard never hides the field being edited: the form gets a bottom inset while the
// keyboard shows and scrolls the field into view.
//
// Accessibility identifiers (for scripts):
//   "Payment_Details_Title"            the screen title
//   "Close_Button"                     close without writing
//   "Update_Payment_Details_Button"    "UPDATE"
//   "Payment_Details_Form"             the scrolling form
//   "Amount_Field", "Amount_Title"     the amount
//   "Additional_Settings_Title", "Reset_Button"
//   "<Field>_Switch", "<Field>_Field", "<Field>_Title" for <Field> in Bill_Number, Mobile_Number,
//       Store_ID, Loyalty_Number, Reference_ID, Consumer_ID, Terminal_ID, Purpose
//   "Status_Message"                   the banner, while shown
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_DETAILS_SCREEN_H_
#define ZELTO_SCREENS_DETAILS_SCREEN_H_

#include <zelto/sdk/zelto_payment_request.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kit/kit_button.h"
#include "screens/base_screen.h"
#include "screens/cells/cell.h"
#include "screens/payment_scroll_view.h"

namespace zelto {

class ZELTORequestPaymentDetailsViewController : public ZeltoBaseViewController,
                                                 public ZELTOCellViewProtocol {
 public:
  ~ZELTORequestPaymentDetailsViewController() override;

  // Screen actions.
  void closeViewContoller();
  void updateButtonPressed();
  void validateUpdateButton();
  void registerNotificationsForKeyboard();
  void keyboardWillShow(platform::Rect keyboardFrame);
  void keyboardDidHide();

  // The cell protocol: the screen hears the form's cells through the form view.
  bool isVaildData(ZELTOCellView& inputCellView, const std::optional<std::string>& text) override;
  void cellViewType(CellType cellType, const std::optional<std::string>& dataString,
                    bool isVaild) override;
  void touchedTextField(platform::TextField& textField) override;
  void showGSMError(const std::string& message) override;
  void enableUpdateButton() override;
  void disableUpdateButton() override;

  // The ten cell models of the form for `stored` (the flow's stored request).
  static std::vector<ZELTOPaymentCellModel> cellModels(const ZeltoPaymentRequest& stored);
  // The amount of a typed amount text as the request stores it: the shortest decimal text of the
  // number with at least one digit after the point ("12.34", "100.0", "0.0").
  static std::string storedAmountText(double amount);

  // Lays the screen out for its current size.
  void layoutViews();

  std::function<void()> animationClosure;
  std::shared_ptr<platform::Label> titleLabel;
  double titleHeight = 30;
  double titleMarginX = 40;
  double titleMarginY = 30;
  std::shared_ptr<platform::Button> closeButton;
  double closeButtonSide = 30;
  std::shared_ptr<ZELTOPaymentScrollView> scrollView;
  std::shared_ptr<KitPrimaryButton> updateButton;
  double updateButtonHeight = 60;
  // The working copy.
  std::shared_ptr<ZeltoPaymentRequest> request = std::make_shared<ZeltoPaymentRequest>();
  std::array<bool, 20> varIsValid = filledValidity();
  std::string darkTextColorHex = "#15195A";
  std::shared_ptr<platform::TextField> currentTextField;

 protected:
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  double statusMessageTop() const override { return titleMarginY + titleHeight + 8; }

 private:
  static std::array<bool, 20> filledValidity() {
    std::array<bool, 20> all;
    all.fill(true);
    return all;
  }
  void updateVCVar();
  void updateCellVar(CellType cellType, const std::string& dataString);
  void updateSessionVar();
  void returnToQrScreen();
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_DETAILS_SCREEN_H_
