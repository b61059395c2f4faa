#include "kit/kit_status_message.h"

#include "kit/kit_theme.h"

namespace zelto {

std::shared_ptr<KitStatusMessageView> KitStatusMessageView::create() {
  auto banner = std::make_shared<KitStatusMessageView>();
  banner->accessibilityIdentifier = kAccessibilityIdentifier;
  banner->cornerRadius = 8;
  banner->label_ = std::make_shared<platform::Label>();
  auto& label = *banner->label_;
  label.textColor = platform::Color::white();
  label.font = platform::Font::systemFont(14, platform::FontWeight::kMedium);
  label.numberOfLines = 2;
  label.adjustsFontSizeToFitWidth = true;
  label.minimumScaleFactor = 0.7;
  banner->addSubview(banner->label_);
  banner->setMessage("", KitStatusMessageType::error);
  return banner;
}

void KitStatusMessageView::setMessage(std::string message, KitStatusMessageType type) {
  label_->text = std::move(message);
  type_ = type;
  switch (type) {
    case KitStatusMessageType::success:
      backgroundColor = KitPalette::success();
      break;
    case KitStatusMessageType::warning:
      backgroundColor = KitPalette::warning();
      break;
    case KitStatusMessageType::error:
      backgroundColor = KitPalette::error();
      break;
  }
}

void KitStatusMessageView::layout(double width, double top) {
  const double bannerWidth = std::max(0.0, width - 2 * kMargin);
  setFrame({kMargin, top, bannerWidth, kHeight});
  label_->setFrame({12, 6, std::max(0.0, bannerWidth - 24), kHeight - 12});
}

}  // namespace zelto
