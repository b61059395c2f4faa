#include "screens/refund_screen.h"

#include <algorithm>
#include <cctype>

#include "base/text.h"
#include "currency/currency_constants.h"
#include "kit/kit_bundle.h"
#include "platform/alert_controller.h"
#include "platform/navigation_controller.h"
#include "screens/cells/amount_cell.h"
#include "screens/cells/summary_cell.h"
#include "screens/refund_constants.h"
#include "sdk/utilities.h"

namespace zelto {
namespace {

constexpr std::string_view kNamePlaceholder = "[%name]";
constexpr std::string_view kValuePlaceholder = "[%value]";

std::string upperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

const ZeltoRefundPaymentRequest& flowRequest() {
  return *ZeltoSession::sharedSession().refundPaymentSession->request;
}

double maximumRefund() { return text::parseDouble(flowRequest().refundAmount).value_or(0); }

}  // namespace

bool ZELTORefundPaymentViewController::isRefundable(double amount, std::string_view maximum) {
  const auto most = text::parseDouble(maximum);
  return amount > 0 && most && amount <= *most;
}

std::string ZELTORefundPaymentViewController::confirmationMessage(std::string_view message,
                                                                  std::string_view name,
                                                                  std::string_view value) {
  return replaceAll(replaceAll(std::string(message), kNamePlaceholder, name), kValuePlaceholder,
                    value);
}

std::shared_ptr<platform::View> ZELTORefundPaymentViewController::loadView() {
  auto root = ZELTOConfirmPaymentViewController::loadView();
  paymentHeader->hidden = true;
  scrollViewTopConstraint = 0;

  const auto& request = flowRequest();
  ZELTOPaymentCellModel card(CellType::merchantDetail, request.cardHolderName,
                             request.cardHolderName);
  card.merchantName = request.cardHolderName;
  card.merchantCity = std::string(StringConstants::CARD_PREFIX) + request.last4;
  paymentCellObjects = std::vector<ZELTOPaymentCellModel>{
      std::move(card),
      {CellType::paymentAmount, std::string(StringConstants::REVIEW_PAYMENT_REFUND_AMOUNT),
       request.refundAmount},
      {CellType::summary, std::string(StringConstants::SUMMARY_TITLE), request.refundAmount},
  };

  scrollView->headerHeight = 0;
  scrollView->screenType = ZeltoActiveFlow::refundPayment;
  scrollView->prepareView(*paymentCellObjects);

  // The requested amount counts as entered, so the screen starts ready to refund all of it.
  if (auto amountCell = std::dynamic_pointer_cast<ZELTOAmountCellView>(
          scrollView->cell(CellType::paymentAmount))) {
    const std::string amountText = amountCell->text();
    cellViewType(CellType::paymentAmount, amountText, isVaildData(*amountCell, amountText));
  }
  return root;
}

void ZELTORefundPaymentViewController::viewDidLoad() {
  ZELTOConfirmPaymentViewController::viewDidLoad();
  navigationItem().title = KitBundle::string(StringConstants::REVIEW_PAYMENT_REFUND_TITLE);
}

bool ZELTORefundPaymentViewController::isVaildData(ZELTOCellView& /*inputCellView*/,
                                                   const std::optional<std::string>& text) {
  return isRefundable(Utilities::getCurrency(text).amount, flowRequest().refundAmount);
}

void ZELTORefundPaymentViewController::cellViewType(CellType /*cellType*/,
                                                    const std::optional<std::string>& dataString,
                                                    bool isVaild) {
  auto& session = ZeltoSession::sharedSession();
  auto summary =
      std::dynamic_pointer_cast<ZELTOSummaryCellView>(scrollView->cell(CellType::summary));
  if (dataString && isVaild) {
    const double amount = Utilities::getCurrency(dataString).amount;
    const auto components =
        Utilities::getISOCurrencyComponents(amount, session.activeCurrencyCode());
    session.refundPaymentSession->response->refundAmount =
        amountLocaleSetup(components.formattedAmount);
    payButton->setTitle(
        Utilities::localizedAmountString(StringConstants::kRefund, components.formattedAmount,
                                         components.ISOCurrencyCode),
        platform::ControlState::kNormal);
    payButton->enabled = true;
    if (summary) summary->updateCellWithAmount(amount, maximumRefund());
  } else {
    payButton->enabled = false;
    payButton->setTitle(upperCase(KitBundle::string(StringConstants::REVIEW_PAYMENT_REFUND_TITLE)),
                        platform::ControlState::kNormal);
    if (summary) summary->updateCellWithAmount(0, maximumRefund());
  }
}

void ZELTORefundPaymentViewController::payButtonPressed() {
  auto& session = ZeltoSession::sharedSession();
  const double amount =
      text::parseDouble(session.refundPaymentSession->response->refundAmount).value_or(0);
  const auto components = Utilities::getISOCurrencyComponents(amount, session.activeCurrencyCode());
  const std::string message = confirmationMessage(
      KitBundle::string(StringConstants::CONFIRM_REFUND_MESSAGE), flowRequest().cardHolderName,
      components.ISOCurrencyCode + " " + components.formattedAmount);
  auto dialog = std::make_shared<platform::AlertController>(
      KitBundle::string(StringConstants::CONFIRM_REFUND_TITLE), message,
      platform::AlertController::Style::kAlert);
  const std::weak_ptr<platform::ViewController> weakSelf = weak_from_this();
  dialog->addAction({KitBundle::string(StringConstants::ZELTO_CANCEL),
                     platform::AlertActionStyle::kDefault, nullptr});
  dialog->addAction(
      {KitBundle::string(StringConstants::ZELTO_CONTINUE), platform::AlertActionStyle::kDefault,
       [weakSelf] {
         if (auto screen =
                 std::dynamic_pointer_cast<ZELTORefundPaymentViewController>(weakSelf.lock())) {
           screen->confirmRefund();
         }
       },
       std::string(StringConstants::CONTINUE_BUTTON_IDENTIFIER)});
  // As on the phone, a screen inside a navigation controller presents from the navigation
  // controller, so the dialog is on top of the window's chain (where the idle timeout looks).
  if (auto navigation = navigationController()) {
    navigation->present(dialog, true);
  } else {
    present(dialog, true);
  }
}

void ZELTORefundPaymentViewController::confirmRefund() {
  showPendingOnPayButton();
  // A copy: the host may end the flow from its callback, which replaces the flow's record.
  const auto record = ZeltoSession::sharedSession().refundPaymentSession;
  record->sendUpdateForCompletedFlow(true, nullptr);
}

}  // namespace zelto
