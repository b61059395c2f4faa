// ZELTORefundPaymentViewController: the only screen of the refund flow. The merchant sees the
// card holder and the card, chooses how much of the paid amount to refund, and confirms.
//
// The form holds three cells: the card (merchantDetail: the holder and "Orvan ..." with the last
// four digits), the amount (paymentAmount, "Refund Amount", starting at the request's
// refundAmount, typed digit by digit in the flow's currency) and the summary (the paid amount,
// the refund taken off and what is left).
//
// - An amount is valid when it is greater than 0 and not greater than the request's
//   refundAmount (which must read as a number). While it is valid the pay button is enabled and
//   titled with the localised "Refund [currency] [amount]", and the amount, as a plain decimal
//   string ("1234.56" whatever the device's separators), is the flow response's refundAmount.
//   While it is not, the button is disabled and titled with the upper-case localised
//   "REVIEW_PAYMENT_REFUND_TITLE", the response keeps the last valid amount and the summary
//   shows a refund of 0.
// - The requested amount counts as entered when the screen is built: the button starts enabled
//   with the full amount and the response holds it, so a refund confirmed before any typing is
//   the requested amount, never 0.
// - The pay button asks for confirmation: a dialog titled with "CONFIRM_REFUND_TITLE", the
//   "CONFIRM_REFUND_MESSAGE" with every "[%name]" replaced by the card holder, then every
//   "[%value]" by the amount ("USD 12.34"), and two actions: "ZELTO_CANCEL" closes it and
//   changes nothing; "ZELTO_CONTINUE" ("Continue_Button") closes it, shows the busy pay button
//   and reports (true, response, no error) once to the flow's completion handler or, without
//   one, its delegate. The screen then stays busy until the host ends the flow.
//
// Accessibility identifiers: "Card_Holder_Name", "Card_Last_Four", "Amount_Field",
// "Amount_Title", "Summary_Original_Amount", "Summary_Refund_Amount",
// "Summary_Total_After_Refund", "PAY_BUTTON"; in the dialog, "Cancel" and "Continue_Button".
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_REFUND_SCREEN_H_
#define ZELTO_SCREENS_REFUND_SCREEN_H_

#include <zelto/results/zelto_error.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "screens/confirm_screen.h"

namespace zelto {

class ZELTORefundPaymentViewController : public ZELTOConfirmPaymentViewController {
 public:
  ZELTORefundPaymentViewController() { screenType = ZeltoActiveFlow::refundPayment; }

  bool isVaildData(ZELTOCellView& inputCellView, const std::optional<std::string>& text) override;
  void cellViewType(CellType cellType, const std::optional<std::string>& dataString,
                    bool isVaild) override;
  void payButtonPressed() override;

  // True when `amount` is greater than 0 and not greater than `maximum` read as a number.
  static bool isRefundable(double amount, std::string_view maximum);
  // `message` with every "[%name]" replaced by `name`, then every "[%value]" by `value`: a name
  // holding "[%value]" shows the value there too, whatever order a translation puts them in.
  static std::string confirmationMessage(std::string_view message, std::string_view name,
                                         std::string_view value);

  // Reachable like the other public fields; the screen itself writes the flow's response.
  std::shared_ptr<ZeltoRefundPaymentResponse> response =
      std::make_shared<ZeltoRefundPaymentResponse>();
  double paymentAmount = 0;

 protected:
  std::shared_ptr<platform::View> loadView() override;
  void viewDidLoad() override;

 private:
  void confirmRefund();
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_REFUND_SCREEN_H_
