#include "screens/cells/input_cell.h"

#include "base/text.h"
#include "kit/kit_bundle.h"

namespace zelto {

using platform::ControlEvent;

bool ZELTOInputCellView::acceptsChange(std::string_view current, std::string_view inserted) {
  if (inserted.empty()) return true;
  if (text::findControlCharacter(inserted)) return false;
  return text::characterCount(current) + text::characterCount(inserted) < maxTextFieldLenght;
}

void ZELTOInputCellView::setCellModel(ZELTOPaymentCellModel model) {
  ZELTOCellView::setCellModel(std::move(model));
  field_ = KitInputField::create();
  addSubview(field_);
  auto& textField = *field_->textField();
  textField.accessibilityIdentifier = identifierStem() + "_Field";
  textField.placeholder = KitBundle::string(model_.titleName.value_or(""));
  textField.text = model_.value.value_or("");
  const std::weak_ptr<ZELTOInputCellView> weak =
      std::static_pointer_cast<ZELTOInputCellView>(shared_from_this());
  textField.shouldChangeCharacters = [weak](platform::TextRange, std::string_view replacement) {
    auto self = weak.lock();
    return self && acceptsChange(self->text(), replacement);
  };
  textField.addAction(ControlEvent::kEditingChanged, [weak] {
    auto self = weak.lock();
    if (self && self->textDidChange) self->textDidChange(self->text());
  });
  textField.addAction(ControlEvent::kEditingDidBegin, [weak] {
    auto self = weak.lock();
    if (!self) return;
    if (auto listener = self->lockedDelegate()) listener->touchedTextField(*self->inputTextField());
  });
}

double ZELTOInputCellView::preferredHeight(double /*width*/) const {
  return KitInputField::kHeight;
}

void ZELTOInputCellView::layoutCell() {
  field_->setFrame(bounds());
  field_->layout();
}

}  // namespace zelto
