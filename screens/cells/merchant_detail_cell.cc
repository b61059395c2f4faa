#include "screens/cells/merchant_detail_cell.h"

#include <algorithm>
#include <cmath>

#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "platform/renderer.h"

namespace zelto {
namespace {

constexpr double kCardWidth = 48;
constexpr double kCardHeight = 32;
constexpr double kGap = 12;
constexpr double kCardLineHeight = 18;
constexpr double kLineGap = 2;

}  // namespace

void ZELTOMerchantDetailCellView::setCellModel(ZELTOPaymentCellModel model) {
  ZELTOCellView::setCellModel(std::move(model));
  backgroundColor = platform::Color::white();

  card_ = std::make_shared<platform::View>();
  card_->backgroundColor = KitPalette::navy();
  card_->cornerRadius = 4;
  addSubview(card_);
  cardLogo_ = std::make_shared<platform::ImageView>();
  cardLogo_->image = KitBundle::image("img_card_logo_orvan_white");
  cardLogo_->contentMode = platform::ContentMode::kScaleAspectFit;
  card_->addSubview(cardLogo_);

  nameLabel_ = std::make_shared<platform::Label>();
  nameLabel_->text = model_.merchantName.value_or("");
  nameLabel_->font = KitFont::headline();
  nameLabel_->textColor = KitPalette::ink();
  nameLabel_->numberOfLines = 2;
  nameLabel_->accessibilityIdentifier = "Card_Holder_Name";
  addSubview(nameLabel_);

  cardLabel_ = std::make_shared<platform::Label>();
  cardLabel_->text = model_.merchantCity.value_or("");
  cardLabel_->font = KitFont::secondary();
  cardLabel_->textColor = KitPalette::slate();
  cardLabel_->accessibilityIdentifier = "Card_Last_Four";
  addSubview(cardLabel_);
}

double ZELTOMerchantDetailCellView::textWidth(double width) {
  return std::max(0.0, width - 2 * kMarginX - kCardWidth - kGap);
}

double ZELTOMerchantDetailCellView::nameHeight(double width) const {
  // One line, or two for a long name (a longer one is cut at the end of the second).
  return std::ceil(platform::measureText(nameLabel_->text, nameLabel_->font, textWidth(width),
                                         nameLabel_->numberOfLines)
                       .height);
}

double ZELTOMerchantDetailCellView::preferredHeight(double width) const {
  return 2 * kMarginY + std::max(kCardHeight, nameHeight(width) + kLineGap + kCardLineHeight);
}

void ZELTOMerchantDetailCellView::layoutCell() {
  const double width = frame().width;
  const double height = preferredHeight(width);
  const double nameTall = nameHeight(width);
  const double textTop = (height - nameTall - kLineGap - kCardLineHeight) / 2;
  const double textX = kMarginX + kCardWidth + kGap;
  card_->setFrame({kMarginX, (height - kCardHeight) / 2, kCardWidth, kCardHeight});
  cardLogo_->setFrame({6, 4, kCardWidth - 12, kCardHeight - 8});
  nameLabel_->setFrame({textX, textTop, textWidth(width), nameTall});
  cardLabel_->setFrame({textX, textTop + nameTall + kLineGap, textWidth(width), kCardLineHeight});
}

}  // namespace zelto
