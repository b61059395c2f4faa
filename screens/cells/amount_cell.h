// ZELTOAmountCellView and ZELTOFXAmountCellView: the amount of a payment form, typed digit by
// digit in minor units.
//
// The field shows the ISO code of the currency, a space and the formatted amount ("USD 12.34"),
// drawn with the code small and the amount large; an absent or empty amount shows the formatted
// zero. Each accepted key re-reads the digits of the whole text as minor units of the flow
// currency and formats them again (1, 2, 3, 4 in USD: USD 0.01, 0.12, 1.23, 12.34; the delete
// key on USD 12.34 gives USD 1.23).
//
// Keys the field refuses:
// - the delete key while the text is only the prefix (code and space): the cell shows its
//   error style;
// - any key that inserts text while the text already holds more than amountTextFieldCount (12)
//   digits, so at most 13 digits can be typed.
// After each change the amount is invalid (error style) when the text holds more than 12
// digits or the delegate's isVaildData refuses it; the cell then sends cellViewType(cellType,
// text, validity). The cell reports nothing until the merchant types.
//
// ZELTOFXAmountCellView is the same cell for an explicit currency: setAmount also takes the
// currency code. The plain cell shows the active flow's currency. Formatting always follows the
// active flow's currency locale (sdk/utilities.h).
//
// Accessibility identifiers: "Amount_Field" (the text field), "Amount_Title".
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_AMOUNT_CELL_H_
#define ZELTO_SCREENS_CELLS_AMOUNT_CELL_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "kit/kit_input_field.h"
#include "screens/cells/cell.h"
#include "screens/cells/flow_state.h"

namespace zelto {

class ZELTOAmountCellView : public ZELTOCellView {
 public:
  explicit ZELTOAmountCellView(const FlowState& flow) : flow_(flow) {}

  static constexpr double kFieldHeight = 56;

  void setCellModel(ZELTOPaymentCellModel model) override;
  double preferredHeight(double width) const override;
  void layoutCell() override;
  std::shared_ptr<platform::TextField> inputTextField() const override {
    return field_->textField();
  }

  // Shows `amount` (a plain decimal text such as "12.34"; absent, "" or not a number: zero).
  void setAmount(const std::optional<std::string>& amount);

  const std::string& text() const { return field_->textField()->text; }
  bool isValid() const { return valid_; }
  const std::shared_ptr<KitInputField>& inputField() const { return field_; }
  const std::shared_ptr<platform::Label>& amountLabel() const { return amountLabel_; }

  // The currency the cell shows (numeric code).
  virtual std::string currencyCode() const;

  // The number of ASCII digits in `text`.
  static std::size_t digitCount(std::string_view text);

  std::size_t amountTextFieldCount = 12;

 protected:
  void showAmount(double amount);

 protected:
  const FlowState& flow_;

 private:
  bool shouldChange(std::string_view replacement);
  void textChanged();
  void refreshAmountLabel();

  std::shared_ptr<platform::Label> titleLabel_;
  std::shared_ptr<KitInputField> field_;
  std::shared_ptr<platform::Label> amountLabel_;
  bool valid_ = true;
};

class ZELTOFXAmountCellView : public ZELTOAmountCellView {
 public:
  using ZELTOAmountCellView::ZELTOAmountCellView;

  void setAmount(const std::optional<std::string>& amount, std::string currencyCode);
  std::string currencyCode() const override;

 private:
  std::optional<std::string> currencyCode_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_AMOUNT_CELL_H_
