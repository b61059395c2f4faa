#include "screens/base_screen.h"

#include "sdk/session.h"

namespace zelto {

ZeltoBaseViewController::~ZeltoBaseViewController() {
  if (bannerTimer_) bannerTimer_->invalidate();
}

void ZeltoBaseViewController::viewDidLoad() {
  view()->backgroundColor = ZeltoSession::sharedSession().internalConfiguration()->backgroundColor;
}

void ZeltoBaseViewController::showGSMMessage(const std::string& message,
                                             KitStatusMessageType type) {
  if (!banner_) banner_ = KitStatusMessageView::create();
  banner_->setMessage(message, type);
  banner_->layout(view()->frame().width, statusMessageTop());
  banner_->hidden = false;
  view()->addSubview(banner_);  // on top of everything the screen added since
  if (bannerTimer_) bannerTimer_->invalidate();
  const std::weak_ptr<platform::ViewController> weakSelf = weak_from_this();
  bannerTimer_ = platform::RunLoop::main().scheduleTimer(GSMDuration(), [weakSelf] {
    if (auto self = std::dynamic_pointer_cast<ZeltoBaseViewController>(weakSelf.lock())) {
      self->hideGSMMessage();
    }
  });
}

void ZeltoBaseViewController::hideGSMMessage() {
  if (bannerTimer_) bannerTimer_->invalidate();
  bannerTimer_.reset();
  if (banner_) banner_->removeFromSuperview();
}

std::shared_ptr<KitStatusMessageView> ZeltoBaseViewController::statusMessage() const {
  return banner_ && banner_->superview() ? banner_ : nullptr;
}

}  // namespace zelto
