#include "kit/kit_input_field.h"

namespace zelto {

using platform::ControlEvent;

std::shared_ptr<KitInputField> KitInputField::create(const KitTheme& theme) {
  auto field = std::make_shared<KitInputField>();
  field->theme_ = theme;
  field->backgroundColor = platform::Color::white();
  field->cornerRadius = 6;
  field->textField_ = std::make_shared<platform::TextField>();
  auto& text = *field->textField_;
  text.textColor = KitPalette::ink();
  text.placeholderColor = KitPalette::slate();
  text.tintColor = theme.textCaret;
  text.font = KitFont::body();
  field->addSubview(field->textField_);
  const std::weak_ptr<KitInputField> weak = field;
  for (auto event : {ControlEvent::kEditingDidBegin, ControlEvent::kEditingDidEnd}) {
    text.addAction(event, [weak] {
      if (auto self = weak.lock()) self->refreshStyle();
    });
  }
  field->refreshStyle();
  return field;
}

void KitInputField::setError(bool error) {
  error_ = error;
  refreshStyle();
}

KitFieldStyle KitInputField::style() const {
  if (error_) return KitFieldStyle::error;
  return textField_->isFirstResponder() ? KitFieldStyle::focused : KitFieldStyle::normal;
}

void KitInputField::layout() {
  const auto size = frame().size();
  textField_->setFrame({kTextInset, 0, std::max(0.0, size.width - 2 * kTextInset), size.height});
}

void KitInputField::refreshStyle() {
  switch (style()) {
    case KitFieldStyle::normal:
      borderWidth = 1;
      borderColor = KitPalette::border();
      break;
    case KitFieldStyle::focused:
      borderWidth = 1.5;
      borderColor = theme_.actionButton;
      break;
    case KitFieldStyle::error:
      borderWidth = 1.5;
      borderColor = KitPalette::error();
      break;
  }
}

}  // namespace zelto
