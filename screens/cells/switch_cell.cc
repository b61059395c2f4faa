#include "screens/cells/switch_cell.h"

#include <algorithm>
#include <cmath>

#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "platform/renderer.h"
#include "sdk/session.h"

namespace zelto {
namespace {

constexpr std::string_view kAskConsumer = "***";
constexpr double kGap = 8;
// At least two lines of the hint; longer translations take the lines they need.
constexpr double kMessageHeight = 34;

}  // namespace

void ZELTOSwitchCellView::setCellModel(ZELTOPaymentCellModel model) {
  ZELTOCellView::setCellModel(std::move(model));
  const std::string stem = identifierStem();
  const std::string field = KitBundle::string(model_.titleName.value_or(""));
  const auto theme = flow_.theme();
  backgroundColor = platform::Color::white();

  titleLabel_ = addTitleLabel(KitBundle::string("Set [Default Label]", "[Default Label]", field),
                              stem + "_Title");
  titleLabel_->adjustsFontSizeToFitWidth = true;
  titleLabel_->minimumScaleFactor = 0.75;

  switch_ = std::make_shared<platform::Switch>();
  switch_->onTintColor = theme.actionButton;
  switch_->accessibilityIdentifier = stem + "_Switch";
  addSubview(switch_);

  inputCell_ = std::make_shared<ZELTOInputCellView>();
  inputCell_->setCellModel(ZELTOPaymentCellModel(model_.cellType, model_.titleName, std::nullopt));
  inputCell_->delegate = delegate;
  addSubview(inputCell_);

  messageLabel_ = std::make_shared<platform::Label>();
  messageLabel_->text = KitBundle::string(
      "If [Default Label] is not set, customer will have to enter it when they are paying from "
      "their app.",
      "[Default Label]", field);
  messageLabel_->textColor = KitPalette::slate();
  messageLabel_->font = KitFont::secondary();
  messageLabel_->numberOfLines = 0;
  addSubview(messageLabel_);

  const auto& value = model_.value;
  const bool on = value && !value->empty();
  switch_->setOn(on, false);
  if (on && *value != kAskConsumer) inputCell_->inputTextField()->text = *value;
  showInput(on);

  const std::weak_ptr<ZELTOSwitchCellView> weak =
      std::static_pointer_cast<ZELTOSwitchCellView>(shared_from_this());
  switch_->addAction(platform::ControlEvent::kValueChanged, [weak] {
    if (auto self = weak.lock()) self->switchChanged();
  });
  inputCell_->textDidChange = [weak](const std::string& text) {
    if (auto self = weak.lock()) self->textChanged(text);
  };
}

double ZELTOSwitchCellView::messageHeight(double width) const {
  const double textWidth = std::max(0.0, width - 2 * kMarginX);
  return std::max(
      kMessageHeight,
      std::ceil(
          platform::measureText(messageLabel_->text, messageLabel_->font, textWidth, 0).height));
}

double ZELTOSwitchCellView::preferredHeight(double width) const {
  double height = kMarginY + switch_->frame().height + kMarginY;
  if (switch_->isOn()) height += KitInputField::kHeight + kGap + messageHeight(width);
  return height;
}

void ZELTOSwitchCellView::layoutCell() {
  const double width = frame().width;
  const auto switchSize = switch_->frame().size();
  switch_->setFrame(
      {width - kMarginX - switchSize.width, kMarginY, switchSize.width, switchSize.height});
  titleLabel_->setFrame({kMarginX, kMarginY, std::max(0.0, width - 3 * kMarginX - switchSize.width),
                         switchSize.height});
  const double inputY = kMarginY + switchSize.height + kGap;
  inputCell_->setFrame(
      {kMarginX, inputY, std::max(0.0, width - 2 * kMarginX), KitInputField::kHeight});
  inputCell_->layoutCell();
  messageLabel_->setFrame({kMarginX, inputY + KitInputField::kHeight + 4,
                           std::max(0.0, width - 2 * kMarginX), messageHeight(width)});
}

void ZELTOSwitchCellView::setAddable(bool addable) {
  titleLabel_->alpha = addable ? 1.0 : 0.4;
  switch_->thumbTintColor =
      addable ? std::nullopt : std::optional<platform::Color>(KitPalette::disabled());
  switch_->userInteractionEnabled = addable;
}

void ZELTOSwitchCellView::switchOff() {
  switch_->setOn(false, true);
  switchChanged();
}

bool ZELTOSwitchCellView::check(const std::string& text) {
  auto listener = lockedDelegate();
  return !listener || listener->isVaildData(*inputCell_, text);
}

void ZELTOSwitchCellView::switchChanged() {
  inputCell_->inputTextField()->resignFirstResponder();
  inputCell_->setError(false);
  const bool on = switch_->isOn();
  if (!on) inputCell_->clear();
  const bool accepted = check(on ? std::string(kAskConsumer) : std::string());
  if (accepted) {
    if (auto listener = lockedDelegate()) {
      listener->cellViewType(model_.cellType, std::string(kAskConsumer), on);
    }
  } else {
    inputCell_->clear();
    switch_->setOn(false, true);
  }
  showInput(switch_->isOn());
}

void ZELTOSwitchCellView::textChanged(const std::string& text) {
  const bool valid = check(text);
  inputCell_->setError(!valid);
  auto listener = lockedDelegate();
  if (!listener) return;
  const bool requestFlow = flow_.activeFlow() == ZeltoActiveFlow::requestPayment;
  if (text.empty() && requestFlow) {
    listener->cellViewType(model_.cellType, std::string(kAskConsumer), switch_->isOn());
  } else {
    listener->cellViewType(model_.cellType, text, valid);
  }
}

void ZELTOSwitchCellView::showInput(bool shown) {
  const bool changed = inputCell_->hidden == shown;
  inputCell_->hidden = !shown;
  messageLabel_->hidden = !shown;
  if (!changed) return;
  if (auto listener = lockedDelegate()) listener->cellNeedsLayout(*this);
}

}  // namespace zelto
