#include "screens/details_screen.h"

#include <charconv>

#include "base/text.h"
#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "sdk/session.h"
#include "sdk/utilities.h"

namespace zelto {
namespace {

constexpr double kMargin = 16;
constexpr std::string_view kAskConsumer = "***";

constexpr CellType kAdditionalCells[] = {
    CellType::billNumber,  CellType::mobileNumber, CellType::storeID,    CellType::loyaltyNumber,
    CellType::referenceID, CellType::consumerID,   CellType::terminalID, CellType::paymentPurpose};

// The flow's stored request; an empty one when the screen is shown outside a flow.
std::shared_ptr<ZeltoPaymentRequest> storedRequest() {
  const auto& stored = ZeltoSession::sharedSession().requestPaymentSession->request;
  return stored ? stored : std::make_shared<ZeltoPaymentRequest>();
}

}  // namespace

ZELTORequestPaymentDetailsViewController::~ZELTORequestPaymentDetailsViewController() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
}

std::vector<ZELTOPaymentCellModel> ZELTORequestPaymentDetailsViewController::cellModels(
    const ZeltoPaymentRequest& stored) {
  const auto field = [&stored](CellType type) {
    return stored.*ZELTOPaymentScrollView::additionalDataField(type);
  };
  return {
      {CellType::paymentAmount, "Request Amount", stored.transactionAmount},
      {CellType::resetButton, "Additional Settings", std::nullopt},
      {CellType::billNumber, "Bill Number", field(CellType::billNumber)},
      {CellType::mobileNumber, "Mobile Number", field(CellType::mobileNumber)},
      {CellType::storeID, "Store ID", field(CellType::storeID)},
      {CellType::loyaltyNumber, "Loyalty Number", field(CellType::loyaltyNumber)},
      {CellType::referenceID, "Reference ID", field(CellType::referenceID)},
      {CellType::consumerID, "Consumer ID", field(CellType::consumerID)},
      {CellType::terminalID, "Terminal ID", field(CellType::terminalID)},
      {CellType::paymentPurpose, "Purpose", field(CellType::paymentPurpose)},
  };
}

std::string ZELTORequestPaymentDetailsViewController::storedAmountText(double amount) {
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, amount, std::chars_format::fixed);
  std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0");
  if (text.find('.') == std::string::npos) text += ".0";
  return text;
}

void ZELTORequestPaymentDetailsViewController::viewDidLoad() {
  ZeltoBaseViewController::viewDidLoad();
  auto& root = *view();
  root.backgroundColor = platform::Color::white();
  const auto self =
      std::static_pointer_cast<ZELTORequestPaymentDetailsViewController>(shared_from_this());
  const std::weak_ptr<ZELTORequestPaymentDetailsViewController> weakSelf = self;

  titleLabel = std::make_shared<platform::Label>();
  titleLabel->text = KitBundle::string("REQUEST_FLOW_PAYMENT_DETAIL");
  titleLabel->font = platform::Font::boldSystemFont(18);
  titleLabel->textColor = platform::Color::fromHex(darkTextColorHex);
  titleLabel->textAlignment = platform::TextAlignment::kCenter;
  titleLabel->adjustsFontSizeToFitWidth = true;
  titleLabel->minimumScaleFactor = 0.7;
  titleLabel->accessibilityIdentifier = "Payment_Details_Title";
  root.addSubview(titleLabel);

  closeButton = std::make_shared<platform::Button>();
  closeButton->setImage(KitBundle::image("icon_close"), platform::ControlState::kNormal);
  closeButton->tintColor = platform::Color::fromHex(darkTextColorHex);
  closeButton->accessibilityIdentifier = "Close_Button";
  closeButton->addAction(platform::ControlEvent::kTouchUpInside, [weakSelf] {
    if (auto screen = weakSelf.lock()) screen->closeViewContoller();
  });
  root.addSubview(closeButton);

  const auto stored = storedRequest();
  scrollView = std::make_shared<ZELTOPaymentScrollView>(sharedFlowState());
  scrollView->accessibilityIdentifier = "Payment_Details_Form";
  scrollView->additionalRequest = stored->clone();
  scrollView->paymentDelegate = std::static_pointer_cast<ZELTOCellViewProtocol>(self);
  scrollView->owner = self;
  scrollView->screenType = ZeltoActiveFlow::requestPayment;
  root.addSubview(scrollView);
  updateVCVar();

  updateButton = std::make_shared<KitPrimaryButton>();
  updateButton->setTitle(KitBundle::upperCased(KitBundle::string("UPDATE")),
                         platform::ControlState::kNormal);
  updateButton->accessibilityIdentifier = "Update_Payment_Details_Button";
  updateButton->enabled = false;
  updateButton->addAction(platform::ControlEvent::kTouchUpInside, [weakSelf] {
    if (auto screen = weakSelf.lock()) screen->updateButtonPressed();
  });
  root.addSubview(updateButton);

  layoutViews();
  scrollView->prepareView(cellModels(*stored));
  registerNotificationsForKeyboard();
}

void ZELTORequestPaymentDetailsViewController::viewWillAppear(bool animated) {
  ZeltoBaseViewController::viewWillAppear(animated);
  layoutViews();
}

void ZELTORequestPaymentDetailsViewController::layoutViews() {
  const auto size = view()->frame().size();
  titleLabel->setFrame(
      {titleMarginX, titleMarginY, std::max(0.0, size.width - 2 * titleMarginX), titleHeight});
  closeButton->setFrame({size.width - kMargin - closeButtonSide,
                         titleMarginY + (titleHeight - closeButtonSide) / 2, closeButtonSide,
                         closeButtonSide});
  const double buttonTop = size.height - kMargin - updateButtonHeight;
  updateButton->setFrame(
      {kMargin, buttonTop, std::max(0.0, size.width - 2 * kMargin), updateButtonHeight});
  const double formTop = titleMarginY + titleHeight + kMargin;
  scrollView->setFrame({0, formTop, size.width, std::max(0.0, buttonTop - kMargin - formTop)});
  scrollView->layoutCells();
  if (auto banner = statusMessage()) banner->layout(size.width, statusMessageTop());
}

void ZELTORequestPaymentDetailsViewController::updateVCVar() {
  const auto stored = storedRequest();
  request->transactionAmount = stored->transactionAmount;
  for (CellType type : kAdditionalCells) {
    const auto field = ZELTOPaymentScrollView::additionalDataField(type);
    (*request).*field = (*stored).*field;
  }
}

void ZELTORequestPaymentDetailsViewController::updateCellVar(CellType cellType,
                                                             const std::string& dataString) {
  if (cellType == CellType::paymentAmount) {
    request->transactionAmount = storedAmountText(Utilities::getCurrency(dataString).amount);
  } else if (const auto field = ZELTOPaymentScrollView::additionalDataField(cellType)) {
    (*request).*field = dataString;
  }
}

void ZELTORequestPaymentDetailsViewController::updateSessionVar() {
  const auto& stored = ZeltoSession::sharedSession().requestPaymentSession->request;
  if (!stored) return;
  if (const auto& amount = request->transactionAmount) {
    stored->transactionAmount = text::parseDouble(*amount) == 0.0 ? "0.0" : *amount;
  }
  for (CellType type : kAdditionalCells) {
    const auto field = ZELTOPaymentScrollView::additionalDataField(type);
    (*stored).*field = (*request).*field;
  }
}

bool ZELTORequestPaymentDetailsViewController::isVaildData(ZELTOCellView& /*inputCellView*/,
                                                           const std::optional<std::string>&) {
  return true;
}

void ZELTORequestPaymentDetailsViewController::cellViewType(
    CellType cellType, const std::optional<std::string>& dataString, bool isVaild) {
  bool valid = true;
  if (cellType == CellType::resetButton) {
    for (CellType type : kAdditionalCells) {
      (*request).*ZELTOPaymentScrollView::additionalDataField(type) = std::nullopt;
      varIsValid[rawValue(type)] = true;
    }
    scrollView->updateSummary();
    scrollView->additionalRequest = storedRequest()->clone();
  } else if (isVaild) {
    updateCellVar(cellType, dataString.value_or(""));
  } else if (dataString == kAskConsumer) {
    if (const auto field = ZELTOPaymentScrollView::additionalDataField(cellType)) {
      (*request).*field = std::nullopt;
    }
  } else {
    valid = false;
  }
  varIsValid[rawValue(cellType)] = valid;
  validateUpdateButton();
}

void ZELTORequestPaymentDetailsViewController::validateUpdateButton() {
  for (bool valid : varIsValid) {
    if (!valid) {
      disableUpdateButton();
      return;
    }
  }
  enableUpdateButton();
}

void ZELTORequestPaymentDetailsViewController::enableUpdateButton() {
  if (updateButton) updateButton->enabled = true;
}

void ZELTORequestPaymentDetailsViewController::disableUpdateButton() {
  if (updateButton) updateButton->enabled = false;
}

void ZELTORequestPaymentDetailsViewController::touchedTextField(platform::TextField& textField) {
  currentTextField = std::static_pointer_cast<platform::TextField>(textField.shared_from_this());
}

void ZELTORequestPaymentDetailsViewController::showGSMError(const std::string& message) {
  if (message.empty()) {
    hideGSMMessage();
  } else {
    showGSMMessage(message, KitStatusMessageType::error);
  }
}

void ZELTORequestPaymentDetailsViewController::registerNotificationsForKeyboard() {
  auto& center = platform::NotificationCenter::defaultCenter();
  center.removeObserver(this);
  const std::weak_ptr<platform::ViewController> weakSelf = weak_from_this();
  const auto screen = [weakSelf] {
    return std::static_pointer_cast<ZELTORequestPaymentDetailsViewController>(weakSelf.lock());
  };
  center.addObserver(this, std::string(platform::kKeyboardWillShowNotification),
                     [screen](const platform::Notification& note) {
                       if (auto self = screen(); self && note.keyboardFrame) {
                         self->keyboardWillShow(*note.keyboardFrame);
                       }
                     });
  center.addObserver(this, std::string(platform::kKeyboardWillHideNotification),
                     [screen](const platform::Notification&) {
                       if (auto self = screen()) self->keyboardDidHide();
                     });
}

void ZELTORequestPaymentDetailsViewController::keyboardWillShow(platform::Rect keyboardFrame) {
  if (isAppearing()) scrollView->keyboardWillShow(keyboardFrame);
}

void ZELTORequestPaymentDetailsViewController::keyboardDidHide() {
  currentTextField.reset();
  scrollView->keyboardDidHide();
}

void ZELTORequestPaymentDetailsViewController::updateButtonPressed() {
  updateSessionVar();
  ZeltoSession::sharedSession().requestPaymentSession->isUpdated = true;
  returnToQrScreen();
}

void ZELTORequestPaymentDetailsViewController::closeViewContoller() { returnToQrScreen(); }

void ZELTORequestPaymentDetailsViewController::returnToQrScreen() {
  view()->endEditing(true);
  if (auto navigation = navigationController()) {
    navigation->setNavigationBarHidden(false, true);
    navigation->popViewController(true);
  }
}

}  // namespace zelto
