#include "screens/payment_scroll_view.h"

#include <algorithm>

#include "base/text.h"
#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "screens/cells/amount_cell.h"
#include "screens/cells/button_cell.h"
#include "screens/cells/switch_cell.h"

namespace zelto {
namespace {

constexpr std::size_t kMaxAdditionalFieldLength = 25;
constexpr double kKeyboardGap = 16;

}  // namespace

std::optional<std::string> ZeltoPaymentRequest::*ZELTOPaymentScrollView::additionalDataField(
    CellType type) {
  switch (type) {
    case CellType::billNumber:
      return &ZeltoPaymentRequest::billID;
    case CellType::mobileNumber:
      return &ZeltoPaymentRequest::mobileNumber;
    case CellType::storeID:
      return &ZeltoPaymentRequest::storeID;
    case CellType::loyaltyNumber:
      return &ZeltoPaymentRequest::loyaltyNumber;
    case CellType::referenceID:
      return &ZeltoPaymentRequest::referenceID;
    case CellType::consumerID:
      return &ZeltoPaymentRequest::consumerID;
    case CellType::terminalID:
      return &ZeltoPaymentRequest::terminalID;
    case CellType::paymentPurpose:
      return &ZeltoPaymentRequest::purpose;
    default:
      return nullptr;
  }
}

std::shared_ptr<ZELTOCellView> ZELTOPaymentScrollView::makeCell(
    const ZELTOPaymentCellModel& model) {
  if (cellFactory) {
    if (auto made = cellFactory(model)) return made;
  }
  switch (model.cellType) {
    case CellType::paymentAmount:
      return std::make_shared<ZELTOFXAmountCellView>(flow_);
    case CellType::resetButton:
      return std::make_shared<ZELTOButtonCellView>(flow_.theme());
    default:
      if (isAdditionalDataCell(model.cellType)) return std::make_shared<ZELTOSwitchCellView>(flow_);
      return nullptr;
  }
}

void ZELTOPaymentScrollView::prepareView(const std::vector<ZELTOPaymentCellModel>& models) {
  for (const auto& old : cells_) old->removeFromSuperview();
  for (const auto& old : separators_) old->removeFromSuperview();
  cells_.clear();
  separators_.clear();
  backgroundColor = platform::Color::white();
  const std::shared_ptr<ZELTOCellViewProtocol> self =
      std::static_pointer_cast<ZELTOPaymentScrollView>(shared_from_this());
  for (const auto& model : models) {
    auto cell = makeCell(model);
    if (!cell) continue;
    cell->delegate = self;
    addSubview(cell);
    cell->setCellModel(model);
    cells_.push_back(cell);
    auto separator = std::make_shared<platform::View>();
    separator->backgroundColor = KitPalette::mist();
    addSubview(separator);
    separators_.push_back(std::move(separator));
  }
  if (additionalRequest) {
    setAdditionalCellsAddable(!additionalRequest->getAdditionalTlvValidCount().second);
  }
  layoutCells();
}

void ZELTOPaymentScrollView::layoutCells() {
  const double width = frame().width;
  double y = headerHeight;
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    const auto& cell = cells_[i];
    const auto& separator = separators_[i];
    separator->hidden = cell->hidden;
    if (cell->hidden) continue;
    const double height = cell->preferredHeight(width);
    cell->setFrame({0, y, width, height});
    cell->layoutCell();
    y += height;
    // Within the margins of the cells' texts, as the summary's own rule is.
    separator->setFrame(
        {ZELTOCellView::kMarginX, y, std::max(0.0, width - 2 * ZELTOCellView::kMarginX), 1});
  }
  contentSize = {width, y};
}

std::shared_ptr<ZELTOCellView> ZELTOPaymentScrollView::cell(CellType type) const {
  for (const auto& shown : cells_) {
    if (shown->cellType() == type) return shown;
  }
  return nullptr;
}

bool ZELTOPaymentScrollView::isVaildData(ZELTOCellView& inputCellView,
                                         const std::optional<std::string>& text) {
  if (isAdditionalDataCell(inputCellView.cellType())) {
    return checkAdditionalData(inputCellView.cellType(), text.value_or(""));
  }
  auto listener = paymentDelegate.lock();
  return !listener || listener->isVaildData(inputCellView, text);
}

bool ZELTOPaymentScrollView::checkAdditionalData(CellType type, const std::string& text) {
  if (text::characterCount(text) > kMaxAdditionalFieldLength) return false;
  if (!additionalRequest) return true;
  auto& field = (*additionalRequest).*additionalDataField(type);
  auto previous = std::move(field);
  field = text;
  const auto [overLimit, full] = additionalRequest->getAdditionalTlvValidCount();
  if (auto listener = paymentDelegate.lock()) {
    listener->showGSMError(overLimit ? KitBundle::string("ADDITIONAL_LIMIT_GSM_ERROR") : "");
  }
  setAdditionalCellsAddable(!full);
  if (overLimit) field = std::move(previous);
  return !overLimit;
}

void ZELTOPaymentScrollView::setAdditionalCellsAddable(bool addable) {
  for (const auto& shown : cells_) {
    auto switchCell = std::dynamic_pointer_cast<ZELTOSwitchCellView>(shown);
    if (switchCell && !switchCell->isOn()) switchCell->setAddable(addable);
  }
}

void ZELTOPaymentScrollView::cellViewType(CellType cellType,
                                          const std::optional<std::string>& dataString,
                                          bool isVaild) {
  if (auto listener = paymentDelegate.lock()) listener->cellViewType(cellType, dataString, isVaild);
  if (cellType != CellType::resetButton) return;
  // A copy: switching a cell off may lead the screen to prepare the form again.
  const auto shown = cells_;
  for (const auto& each : shown) {
    if (auto switchCell = std::dynamic_pointer_cast<ZELTOSwitchCellView>(each)) {
      switchCell->switchOff();
    }
  }
}

void ZELTOPaymentScrollView::touchedTextField(platform::TextField& textField) {
  if (auto listener = paymentDelegate.lock()) listener->touchedTextField(textField);
}

void ZELTOPaymentScrollView::showGSMError(const std::string& message) {
  if (auto listener = paymentDelegate.lock()) listener->showGSMError(message);
}

void ZELTOPaymentScrollView::enableUpdateButton() {
  if (auto listener = paymentDelegate.lock()) listener->enableUpdateButton();
}

void ZELTOPaymentScrollView::disableUpdateButton() {
  if (auto listener = paymentDelegate.lock()) listener->disableUpdateButton();
}

void ZELTOPaymentScrollView::didChangeTipsAmount() {
  if (auto listener = paymentDelegate.lock()) listener->didChangeTipsAmount();
}

void ZELTOPaymentScrollView::didChangeCurrency(const std::string& currency) {
  if (auto listener = paymentDelegate.lock()) listener->didChangeCurrency(currency);
}

void ZELTOPaymentScrollView::updateTotalAmount() {
  if (auto listener = paymentDelegate.lock()) listener->updateTotalAmount();
}

void ZELTOPaymentScrollView::cellNeedsLayout(ZELTOCellView& /*cell*/) {
  layoutCells();
  scrollToEditingField(false);
}

void ZELTOPaymentScrollView::keyboardWillShow(platform::Rect keyboardFrameInWindow) {
  const auto shown = convertToWindow(bounds());
  contentInset.bottom = std::max(0.0, shown.maxY() - keyboardFrameInWindow.y);
  scrollToEditingField(true);
}

void ZELTOPaymentScrollView::keyboardDidHide() {
  contentInset.bottom = 0;
  const double maxOffset = std::max(0.0, contentSize.height - frame().height);
  if (contentOffset.y > maxOffset) setContentOffset({contentOffset.x, maxOffset}, true);
}

void ZELTOPaymentScrollView::scrollToEditingField(bool animated) {
  for (const auto& shown : cells_) {
    const auto field = shown->inputTextField();
    if (!field || !field->isFirstResponder()) continue;
    // The field's frame in content coordinates: its frame and those of the views holding it,
    // up to this view.
    platform::Rect rect = field->frame();
    for (auto holder = field->superview(); holder && holder.get() != this;
         holder = holder->superview()) {
      rect.x += holder->frame().x;
      rect.y += holder->frame().y;
    }
    rect.y -= kKeyboardGap;
    rect.height += 2 * kKeyboardGap;
    scrollRectToVisible(rect, animated);
    return;
  }
}

}  // namespace zelto
