// ZELTOInputCellView: one bordered text input of a form (kit/kit_input_field.h), with the
// length rule of the additional-data fields.
//
// A key is accepted only while the field's current length plus the length of the inserted text
// is below maxTextFieldLenght (27) user-perceived characters, so 26 characters can be typed and
// a 27th is refused; the delete key is always accepted. Each accepted change runs
// textDidChange with the new text; beginning to edit tells the delegate (touchedTextField).
//
// Accessibility identifier of the text field: the model's title key with "_" for spaces and
// "_Field" ("Bill_Number_Field").
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_INPUT_CELL_H_
#define ZELTO_SCREENS_CELLS_INPUT_CELL_H_

#include <functional>
#include <memory>
#include <string>

#include "kit/kit_input_field.h"
#include "screens/cells/cell.h"

namespace zelto {

class ZELTOInputCellView : public ZELTOCellView {
 public:
  void setCellModel(ZELTOPaymentCellModel model) override;
  double preferredHeight(double width) const override;
  void layoutCell() override;
  std::shared_ptr<platform::TextField> inputTextField() const override {
    return field_ ? field_->textField() : nullptr;
  }

  const std::shared_ptr<KitInputField>& inputField() const { return field_; }
  std::string text() const { return field_->textField()->text; }
  // Clears the text silently (no change is reported).
  void clear() { field_->textField()->text.clear(); }
  void setError(bool error) { field_->setError(error); }

  // Whether a key replacing nothing at the end with `inserted` may go into `current`.
  static bool acceptsChange(std::string_view current, std::string_view inserted);

  static constexpr std::size_t maxTextFieldLenght = 27;

  std::function<void(const std::string& text)> textDidChange;

 private:
  std::shared_ptr<KitInputField> field_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_INPUT_CELL_H_
