#include "screens/cells/currency_drop_down_cell.h"

#include <algorithm>

#include "currency/locale_utility.h"
#include "kit/kit_bundle.h"
#include "kit/kit_input_field.h"
#include "kit/kit_theme.h"
#include "platform/window.h"
#include "sdk/session.h"

namespace zelto {
namespace {

constexpr double kTitleHeight = 20;
constexpr double kGap = 8;
constexpr double kChevronSide = 20;

}  // namespace

void ZELTOCurrencyDropDownCellView::setCellModel(ZELTOPaymentCellModel model) {
  ZELTOCellView::setCellModel(std::move(model));
  backgroundColor = platform::Color::white();

  titleLabel_ =
      addTitleLabel(KitBundle::string(model_.titleName.value_or("")), "Currency_Drop_Down_Title");

  field_ = std::make_shared<platform::Button>();
  field_->backgroundColor = platform::Color::white();
  field_->borderWidth = 1;
  field_->borderColor = KitPalette::border();
  field_->cornerRadius = 6;
  field_->titleFont = KitFont::body();
  field_->setTitleColor(KitPalette::ink(), platform::ControlState::kNormal);
  field_->accessibilityIdentifier = "Currency_Drop_Down";
  field_->addAction(platform::ControlEvent::kTouchUpInside, [weakSelf = weak_from_this()] {
    if (auto self = std::static_pointer_cast<ZELTOCurrencyDropDownCellView>(weakSelf.lock())) {
      self->showSelectionView();
    }
  });
  addSubview(field_);
  chevron_ = std::make_shared<platform::ImageView>();
  chevron_->image = KitBundle::image("zelto_sdk_icon_chevron_down");
  chevron_->contentMode = platform::ContentMode::kScaleAspectFit;
  chevron_->tintColor = KitPalette::ink();
  field_->addSubview(chevron_);

  showCurrency(model_.currencyString.empty() ? flow_.activeCurrencyCode() : model_.currencyString);
}

double ZELTOCurrencyDropDownCellView::preferredHeight(double /*width*/) const {
  return 2 * kMarginY + kTitleHeight + kGap + KitInputField::kHeight;
}

void ZELTOCurrencyDropDownCellView::layoutCell() {
  const double width = std::max(0.0, frame().width - 2 * kMarginX);
  titleLabel_->setFrame({kMarginX, kMarginY, width, kTitleHeight});
  field_->setFrame({kMarginX, kMarginY + kTitleHeight + kGap, width, KitInputField::kHeight});
  chevron_->setFrame({width - KitInputField::kTextInset - kChevronSide,
                      (KitInputField::kHeight - kChevronSide) / 2, kChevronSide, kChevronSide});
}

void ZELTOCurrencyDropDownCellView::showSelectionView() {
  auto shown = window();
  if (!shown || selectionView_.lock()) return;
  auto view = ZELTOCurrencySelectionView::presentOver(
      *shown, std::static_pointer_cast<ZELTOCurrencyDropDownCellView>(shared_from_this()));
  selectionView_ = view;
}

void ZELTOCurrencyDropDownCellView::hideSelectionView() {
  if (auto view = selectionView_.lock()) view->hideView(currencyCode_);
}

void ZELTOCurrencyDropDownCellView::didCloseSelectionView(const std::string& currency) {
  selectionView_.reset();
  showCurrency(currency);
  if (auto listener = lockedDelegate()) listener->didChangeCurrency(currency);
}

void ZELTOCurrencyDropDownCellView::showCurrency(std::string code) {
  currencyCode_ = std::move(code);
  // The table the merchant chooses from knows codes the validation map lacks (SVC, BYN).
  std::string alphabetic;
  for (const auto& row : *KitCurrencyData::shared()->currenciesDicArr) {
    if (row.at("currencyCode") == currencyCode_) alphabetic = row.at("currencyId");
  }
  if (alphabetic.empty()) alphabetic = ZeltoLocaleUtility::getCurrencySymbol(currencyCode_);
  field_->setTitle(alphabetic.empty() ? currencyCode_ : alphabetic,
                   platform::ControlState::kNormal);
}

}  // namespace zelto
