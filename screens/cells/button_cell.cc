#include "screens/cells/button_cell.h"

#include <algorithm>
#include <cmath>

#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "platform/renderer.h"

namespace zelto {
namespace {

constexpr double kHeight = 52;
constexpr double kButtonWidth = 72;
constexpr double kButtonHeight = 32;
// Room a wide title keeps from the button's ends.
constexpr double kButtonPadding = 6;

std::string underscored(std::string text) {
  std::replace(text.begin(), text.end(), ' ', '_');
  return text;
}

}  // namespace

void ZELTOButtonCellView::setCellModel(ZELTOPaymentCellModel model) {
  ZELTOCellView::setCellModel(std::move(model));
  backgroundColor = KitPalette::mist();
  titleLabel_ = std::make_shared<platform::Label>();
  titleLabel_->text = KitBundle::string(model_.titleName.value_or(""));
  titleLabel_->textColor = KitPalette::slate();
  titleLabel_->font = platform::Font::systemFont(13, platform::FontWeight::kSemibold);
  titleLabel_->adjustsFontSizeToFitWidth = true;
  titleLabel_->minimumScaleFactor = 0.75;
  titleLabel_->accessibilityIdentifier = identifierStem() + "_Title";
  addSubview(titleLabel_);

  button_ = std::make_shared<platform::Button>();
  button_->setTitle(KitBundle::string(buttonTitleKey), platform::ControlState::kNormal);
  button_->setTitleColor(theme_.actionButton, platform::ControlState::kNormal);
  button_->setTitleColor(theme_.actionButtonActive, platform::ControlState::kHighlighted);
  button_->titleFont = platform::Font::systemFont(14, platform::FontWeight::kSemibold);
  button_->accessibilityIdentifier = underscored(buttonTitleKey) + "_Button";
  addSubview(button_);
  const std::weak_ptr<ZELTOButtonCellView> weak =
      std::static_pointer_cast<ZELTOButtonCellView>(shared_from_this());
  button_->addAction(platform::ControlEvent::kTouchUpInside, [weak] {
    auto self = weak.lock();
    if (!self) return;
    if (auto listener = self->lockedDelegate()) {
      listener->cellViewType(self->cellType(), std::nullopt, true);
    }
  });
}

double ZELTOButtonCellView::preferredHeight(double /*width*/) const { return kHeight; }

void ZELTOButtonCellView::layoutCell() {
  const double width = frame().width;
  const double y = (kHeight - kButtonHeight) / 2;
  const double titleWidth =
      std::ceil(platform::measureText(button_->title(), button_->titleFont, 0, 1).width);
  if (titleWidth + 2 * kButtonPadding <= kButtonWidth) {
    button_->setFrame({width - kMarginX - kButtonWidth + 12, y, kButtonWidth, kButtonHeight});
    titleLabel_->setFrame(
        {kMarginX, 0, std::max(0.0, width - 2 * kMarginX - kButtonWidth), kHeight});
    return;
  }
  // A longer title (French, the pseudo-language) widens the button, up to half the row, its
  // end at the margin.
  const double buttonWidth = std::min(titleWidth + 2 * kButtonPadding, width / 2);
  const double buttonX = width - kMarginX + kButtonPadding - buttonWidth;
  button_->setFrame({buttonX, y, buttonWidth, kButtonHeight});
  titleLabel_->setFrame({kMarginX, 0, std::max(0.0, buttonX - kMarginX), kHeight});
}

}  // namespace zelto
