#include "screens/confirm_screen.h"

#include <algorithm>
#include <cctype>

#include "currency/currency_constants.h"
#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "platform/notification_center.h"
#include "platform/window.h"
#include "screens/cells/merchant_detail_cell.h"
#include "screens/cells/summary_cell.h"
#include "screens/refund_constants.h"

namespace zelto {
namespace {

constexpr double kMargin = 16;
constexpr double kIndicatorSide = 40;
constexpr double kPendingIndicatorSpeed = 3.0;

std::string upperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

ZELTOConfirmPaymentViewController::~ZELTOConfirmPaymentViewController() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
}

std::shared_ptr<platform::View> ZELTOConfirmPaymentViewController::loadView() {
  auto root = std::make_shared<platform::View>(platform::mainScreenBounds());
  const std::weak_ptr<platform::ViewController> weakSelf = weak_from_this();
  const auto self =
      std::dynamic_pointer_cast<ZELTOConfirmPaymentViewController>(shared_from_this());

  paymentHeader = std::make_shared<platform::View>();
  paymentHeader->backgroundColor = KitTheme::current().background;
  root->addSubview(paymentHeader);

  scrollView = std::make_shared<ZELTOPaymentScrollView>(sharedFlowState());
  scrollView->owner = weakSelf;
  scrollView->paymentDelegate = std::static_pointer_cast<ZELTOCellViewProtocol>(self);
  scrollView->screenType = screenType;
  scrollView->cellFactory =
      [](const ZELTOPaymentCellModel& model) -> std::shared_ptr<ZELTOCellView> {
    switch (model.cellType) {
      case CellType::merchantDetail:
        return std::make_shared<ZELTOMerchantDetailCellView>();
      case CellType::summary:
        return std::make_shared<ZELTOSummaryCellView>(sharedFlowState());
      default:
        return nullptr;
    }
  };
  root->addSubview(scrollView);

  payButton = std::make_shared<KitPrimaryButton>();
  payButton->setTitle(upperCase(KitBundle::string(StringConstants::REVIEW_PAYMENT_PAY)),
                      platform::ControlState::kNormal);
  payButton->titleFont = KitFont::button();
  payButton->accessibilityIdentifier = StringConstants::PAY_BUTTON_IDENTIFIER;
  payButton->addAction(platform::ControlEvent::kTouchUpInside, [weakSelf] {
    if (auto screen =
            std::dynamic_pointer_cast<ZELTOConfirmPaymentViewController>(weakSelf.lock())) {
      screen->payButtonPressed();
    }
  });
  root->addSubview(payButton);
  observeKeyboard();
  return root;
}

void ZELTOConfirmPaymentViewController::viewDidLoad() {
  ZeltoBaseViewController::viewDidLoad();
  navigationItem().title = KitBundle::string(StringConstants::CONFIRM_PAYMENT_TITLE);
  layoutViews();
}

void ZELTOConfirmPaymentViewController::viewWillAppear(bool animated) {
  ZeltoBaseViewController::viewWillAppear(animated);
  layoutViews();
}

void ZELTOConfirmPaymentViewController::layoutViews() {
  const auto size = view()->frame().size();
  const double width = size.width;
  const double buttonTop =
      std::max(0.0, size.height - std::max(keyboardOverlap_, 0.0) - kMargin - payButtonHeight);
  payButton->setFrame({kMargin, buttonTop, std::max(0.0, width - 2 * kMargin), payButtonHeight});
  if (payActivityIndicator) {
    payActivityIndicator->setFrame({(payButton->frame().width - kIndicatorSide) / 2,
                                    (payButtonHeight - kIndicatorSide) / 2, kIndicatorSide,
                                    kIndicatorSide});
  }
  paymentHeader->setFrame({0, 0, width, paymentHeaderHeight});
  const double formTop = std::min(scrollViewTopConstraint, buttonTop);
  scrollView->setFrame({0, formTop, width, std::max(0.0, buttonTop - kMargin - formTop)});
  scrollView->layoutCells();
}

void ZELTOConfirmPaymentViewController::observeKeyboard() {
  const std::weak_ptr<platform::ViewController> weakSelf = weak_from_this();
  const auto moved = [weakSelf](const platform::Notification& note) {
    auto screen = std::dynamic_pointer_cast<ZELTOConfirmPaymentViewController>(weakSelf.lock());
    if (!screen || !note.keyboardFrame || !screen->view()->window()) return;
    const auto& root = *screen->view();
    screen->keyboardOverlap_ = root.convertToWindow(root.bounds()).maxY() - note.keyboardFrame->y;
    screen->layoutViews();
  };
  auto& center = platform::NotificationCenter::defaultCenter();
  center.addObserver(this, std::string(platform::kKeyboardWillShowNotification), moved);
  center.addObserver(this, std::string(platform::kKeyboardWillHideNotification), moved);
}

void ZELTOConfirmPaymentViewController::showPendingOnPayButton() {
  if (!payActivityIndicator) {
    payActivityIndicator = std::make_shared<KitActivityIndicatorView>();
    payButton->addSubview(payActivityIndicator);
  }
  payActivityIndicator->setFrame({(payButton->frame().width - kIndicatorSide) / 2,
                                  (payButtonHeight - kIndicatorSide) / 2, kIndicatorSide,
                                  kIndicatorSide});
  payButton->setTitle("", platform::ControlState::kDisabled);
  // Busy is not unavailable: the button keeps its full colour behind the indicator.
  payButton->setBackgroundColor(KitTheme::current().actionButton,
                                platform::ControlState::kDisabled);
  payButton->enabled = false;
  payActivityIndicator->hidden = false;
  payActivityIndicator->speed = kPendingIndicatorSpeed;
  payActivityIndicator->startAnimating();
}

}  // namespace zelto
