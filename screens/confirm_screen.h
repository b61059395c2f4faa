// ZELTOConfirmPaymentViewController: the base of the screens that confirm an amount, as the
// refund screen uses it: a header, the form view (ZELTOPaymentScrollView) with the cells of
// paymentCellObjects, and the primary pay button at the bottom.
//
// - The pay button ("PAY_BUTTON") is full width at the bottom, payButtonHeight high, titled with
//   the upper-case localised "REVIEW_PAYMENT_PAY", themed by the configuration's action-button
//   colours; a tap calls payButtonPressed(). While a keyboard is up the button rides above it.
// - The form view fills the space between the header (paymentHeaderHeight, scrollViewTop) and
//   the button; its owner and payment delegate are the screen, its screen type screenType.
//   The screen makes the cells the form view leaves to others: merchantDetail
//   (ZELTOMerchantDetailCellView) and summary (ZELTOSummaryCellView).
// - showPendingOnPayButton() turns the button into its busy state for good: disabled, no title,
//   a 40-point activity indicator spinning at its centre (created once).
// - viewDidLoad() titles the screen with the localised "CONFIRM_PAYMENT_TITLE".
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CONFIRM_SCREEN_H_
#define ZELTO_SCREENS_CONFIRM_SCREEN_H_

#include <memory>
#include <optional>
#include <vector>

#include "kit/kit_activity_indicator.h"
#include "kit/kit_button.h"
#include "screens/base_screen.h"
#include "screens/cells/cell.h"
#include "screens/cells/payment_cell_model.h"
#include "screens/payment_scroll_view.h"
#include "sdk/session.h"

namespace zelto {

class ZELTOConfirmPaymentViewController : public ZeltoBaseViewController,
                                          public ZELTOCellViewProtocol {
 public:
  ~ZELTOConfirmPaymentViewController() override;

  virtual void payButtonPressed() {}
  void showPendingOnPayButton();

  std::shared_ptr<ZELTOPaymentScrollView> scrollView;
  ZeltoActiveFlow screenType = ZeltoActiveFlow::payMerchant;
  std::shared_ptr<KitPrimaryButton> payButton;
  double payButtonHeight = 56;
  std::shared_ptr<platform::View> paymentHeader;
  double paymentHeaderHeight = 96;
  // Where the form view starts below the top of the screen.
  double scrollViewTopConstraint = 96;
  std::shared_ptr<KitActivityIndicatorView> payActivityIndicator;
  std::optional<std::vector<ZELTOPaymentCellModel>> paymentCellObjects;

 protected:
  std::shared_ptr<platform::View> loadView() override;
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  // Places header, form view and pay button for the view's frame and the keyboard.
  void layoutViews();

 private:
  void observeKeyboard();

  // How far the keyboard reaches up into the view (0 while none is up).
  double keyboardOverlap_ = 0;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CONFIRM_SCREEN_H_
