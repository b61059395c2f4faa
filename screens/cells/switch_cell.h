// ZELTOSwitchCellView: one additional-data field of the payment details: whether it is sent,
// and what it holds.
//
// Shows "Set <field>" with a switch on the right; while the switch is on, an input cell under
// the title and, under that, the hint that a field left empty is asked of the customer. The
// switch starts on exactly when the model's value is non-empty; a value other than "***" is
// shown in the input, "***" leaves it empty.
//
// What the cell reports (to its delegate, the form view):
// - switch turned on: the input gives up the keyboard, "***" goes through isVaildData; when
//   accepted the cell sends cellViewType(type, "***", true);
// - switch turned off: the input is cleared and "" goes through isVaildData; when accepted the
//   cell sends cellViewType(type, "***", false);
// - either check refused: the input is cleared and the switch turned off again, nothing sent;
// - typing (input cell's length rule): each change goes through isVaildData and is sent with its
//   verdict; an empty text is sent, during the request-payment flow, as "***" with the switch's
//   state. An invalid text shows the input's error style.
// setAddable(false) dims a switched-off cell (title at 40 %, thumb "#BEBFD1", switch ignoring
// touches) when the additional data can take no further field.
//
// Accessibility identifiers: "<Field>_Switch", "<Field>_Field" (input), "<Field>_Title",
// with <Field> the title key with "_" for spaces ("Bill_Number_Switch").
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_SWITCH_CELL_H_
#define ZELTO_SCREENS_CELLS_SWITCH_CELL_H_

#include <memory>

#include "platform/controls.h"
#include "screens/cells/cell.h"
#include "screens/cells/flow_state.h"
#include "screens/cells/input_cell.h"

namespace zelto {

class ZELTOSwitchCellView : public ZELTOCellView {
 public:
  explicit ZELTOSwitchCellView(const FlowState& flow) : flow_(flow) {}

  void setCellModel(ZELTOPaymentCellModel model) override;
  double preferredHeight(double width) const override;
  void layoutCell() override;
  std::shared_ptr<platform::TextField> inputTextField() const override {
    return inputCell_->inputTextField();
  }

  bool isOn() const { return switch_->isOn(); }
  void setAddable(bool addable);
  bool isAddable() const { return switch_->userInteractionEnabled; }
  // Turns the field off as the merchant would (after "Reset").
  void switchOff();

  const std::shared_ptr<platform::Switch>& fieldSwitch() const { return switch_; }
  const std::shared_ptr<platform::Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<platform::Label>& messageLabel() const { return messageLabel_; }

 private:
  const FlowState& flow_;
  // The hint's height at the cell's `width`: as many lines as its text takes.
  double messageHeight(double width) const;
  void switchChanged();
  void textChanged(const std::string& text);
  bool check(const std::string& text);
  void showInput(bool shown);

  std::shared_ptr<platform::Label> titleLabel_;
  std::shared_ptr<platform::Label> messageLabel_;
  std::shared_ptr<platform::Switch> switch_;
  std::shared_ptr<ZELTOInputCellView> inputCell_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_SWITCH_CELL_H_
