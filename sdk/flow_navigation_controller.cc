#include "sdk/flow_navigation_controller.h"

#include "sdk/session.h"
#include "sdk/session_constants.h"

namespace zelto {

ZELTONavigationBaseController::ZELTONavigationBaseController() {
  auto& bar = *navigationBar();
  bar.translucent = false;
  bar.backgroundImage = platform::Image();
  bar.shadowImage = platform::Image();
  interactivePopGestureEnabled = true;
}

ZeltoMerchantNavigationController::ZeltoMerchantNavigationController() {
  const auto& config = *ZeltoSession::sharedSession().internalConfiguration();
  auto& bar = *navigationBar();
  bar.tintColor = config.fontColor;
  bar.barTintColor = config.backgroundColor;
  bar.titleTextAttributes = {config.fontColor, platform::Font::boldSystemFont(20)};
}

std::shared_ptr<ZeltoMerchantNavigationController> ZeltoMerchantNavigationController::create(
    std::shared_ptr<platform::ViewController> root) {
  return NavigationController::create<ZeltoMerchantNavigationController>(std::move(root));
}

void ZeltoMerchantNavigationController::pushViewController(
    std::shared_ptr<platform::ViewController> screen, bool /*animated*/) {
  if (!screen) return;
  addLeftBarButtonItem(screen->navigationItem());
  NavigationController::pushViewController(std::move(screen), true);
}

void ZeltoMerchantNavigationController::addLeftBarButtonItem(platform::NavigationItem& item) {
  const auto& config = *ZeltoSession::sharedSession().internalConfiguration();
  if (item.backBarButtonItem) {
    item.backBarButtonItem = platform::BarButtonItem::withImage(config.issuerBackButton, nullptr);
    return;
  }
  auto button = std::make_shared<platform::Button>();
  button->setFrame({0, 0, 40, 40});
  button->setImage(config.issuerBackButton, platform::ControlState::kNormal);
  button->flipsImageForRightToLeft = true;  // points right, the way back, in Arabic
  button->setBackgroundColor(config.actionButtonActiveColor, platform::ControlState::kHighlighted);
  button->accessibilityIdentifier = StringConstants::BACK_BUTTON_IDENTIFIER;
  const std::weak_ptr<platform::ViewController> weakSelf = weak_from_this();
  button->addAction(platform::ControlEvent::kTouchUpInside, [weakSelf] {
    if (auto self = std::static_pointer_cast<ZeltoMerchantNavigationController>(weakSelf.lock())) {
      self->popAction();
    }
  });
  auto backItem = platform::BarButtonItem::withCustomView(std::move(button));
  backItem->tintColor = platform::Color::white();
  backItem->accessibilityIdentifier = StringConstants::BACK_BUTTON_IDENTIFIER;
  item.leftBarButtonItems = {platform::BarButtonItem::fixedSpace(-10), std::move(backItem)};
}

void ZeltoMerchantNavigationController::popAction() {
  auto& session = ZeltoSession::sharedSession();
  if (!popViewController(true)) session.dismissSDKWindow();
  if (session.activeSessionType() == ZeltoActiveFlow::requestPayment) {
    session.requestPaymentSession->isUpdated = false;
  }
}

}  // namespace zelto
