#include "screens/cells/amount_cell.h"

#include <algorithm>

#include "base/text.h"
#include "currency/locale_utility.h"
#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "sdk/utilities.h"

namespace zelto {
namespace {

constexpr double kTitleHeight = 20;
constexpr double kGap = 8;
constexpr double kAmountFontSize = 26;

}  // namespace

std::size_t ZELTOAmountCellView::digitCount(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

std::string ZELTOAmountCellView::currencyCode() const { return flow_.activeCurrencyCode(); }

void ZELTOAmountCellView::setCellModel(ZELTOPaymentCellModel model) {
  ZELTOCellView::setCellModel(std::move(model));
  backgroundColor = platform::Color::white();

  titleLabel_ = addTitleLabel(KitBundle::string(model_.titleName.value_or("")), "Amount_Title");

  field_ = KitInputField::create();
  auto& textField = *field_->textField();
  textField.accessibilityIdentifier = "Amount_Field";
  textField.keyboardType = platform::KeyboardType::kNumberPad;
  // The amount label draws the text with the code small and the amount large; the field keeps
  // the plain text the keys edit.
  textField.textColor = platform::Color::clear();
  textField.tintColor = platform::Color::clear();
  addSubview(field_);
  amountLabel_ = std::make_shared<platform::Label>();
  amountLabel_->textColor = KitPalette::ink();
  amountLabel_->adjustsFontSizeToFitWidth = true;
  amountLabel_->minimumScaleFactor = 0.5;
  amountLabel_->userInteractionEnabled = false;
  field_->addSubview(amountLabel_);

  const std::weak_ptr<ZELTOAmountCellView> weak =
      std::static_pointer_cast<ZELTOAmountCellView>(shared_from_this());
  textField.shouldChangeCharacters = [weak](platform::TextRange, std::string_view replacement) {
    auto self = weak.lock();
    return self && self->shouldChange(replacement);
  };
  textField.addAction(platform::ControlEvent::kEditingChanged, [weak] {
    if (auto self = weak.lock()) self->textChanged();
  });
  textField.addAction(platform::ControlEvent::kEditingDidBegin, [weak] {
    auto self = weak.lock();
    if (!self) return;
    if (auto listener = self->lockedDelegate()) listener->touchedTextField(*self->inputTextField());
  });
  setAmount(model_.value);
}

void ZELTOAmountCellView::setAmount(const std::optional<std::string>& amount) {
  showAmount(text::parseDouble(amount.value_or("")).value_or(0));
}

void ZELTOAmountCellView::showAmount(double amount) {
  // Formatted as the flow's currency is, whatever currency the cell shows.
  const auto components =
      currency::isoCurrencyComponents(amount, currencyCode(), flow_.activeCurrencyCode());
  field_->textField()->text = components.ISOCurrencyCode + " " + components.formattedAmount;
  refreshAmountLabel();
}

bool ZELTOAmountCellView::shouldChange(std::string_view replacement) {
  const std::string& current = text();
  if (replacement.empty()) {
    const std::string prefix = ZeltoLocaleUtility::getCurrencySymbol(currencyCode()) + " ";
    if (current == prefix) {
      field_->setError(true);
      return false;
    }
    return true;
  }
  return digitCount(current) <= amountTextFieldCount;
}

void ZELTOAmountCellView::textChanged() {
  const double amount = currency::currencyForText(text(), flow_.activeCurrencyCode()).amount;
  showAmount(amount);
  valid_ = digitCount(text()) <= amountTextFieldCount;
  auto listener = lockedDelegate();
  if (valid_ && listener) valid_ = listener->isVaildData(*this, text());
  field_->setError(!valid_);
  if (listener) listener->cellViewType(model_.cellType, text(), valid_);
}

void ZELTOAmountCellView::refreshAmountLabel() {
  const std::string& shown = text();
  const auto space = shown.find(' ');
  const std::string code = space == std::string::npos ? std::string() : shown.substr(0, space);
  const std::string amount = space == std::string::npos ? shown : shown.substr(space + 1);
  auto styled = Utilities::attributedString(code, amount, true, false, kAmountFontSize);
  for (auto& run : styled.runs) {
    if (!amount.empty() && run.text.find(amount) != std::string::npos) {
      run.font.weight = platform::FontWeight::kSemibold;
    } else {
      run.color = KitPalette::slate();
    }
  }
  amountLabel_->attributedText = std::move(styled);
  amountLabel_->text = shown;
}

double ZELTOAmountCellView::preferredHeight(double /*width*/) const {
  return kMarginY + kTitleHeight + kGap + kFieldHeight + kMarginY;
}

void ZELTOAmountCellView::layoutCell() {
  const double width = std::max(0.0, frame().width - 2 * kMarginX);
  titleLabel_->setFrame({kMarginX, kMarginY, width, kTitleHeight});
  field_->setFrame({kMarginX, kMarginY + kTitleHeight + kGap, width, kFieldHeight});
  field_->layout();
  amountLabel_->setFrame({KitInputField::kTextInset, 0,
                          std::max(0.0, width - 2 * KitInputField::kTextInset), kFieldHeight});
}

void ZELTOFXAmountCellView::setAmount(const std::optional<std::string>& amount,
                                      std::string currencyCode) {
  currencyCode_ = std::move(currencyCode);
  ZELTOAmountCellView::setAmount(amount);
}

std::string ZELTOFXAmountCellView::currencyCode() const {
  return currencyCode_.value_or(ZELTOAmountCellView::currencyCode());
}

}  // namespace zelto
