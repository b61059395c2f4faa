#include "screens/cells/summary_cell.h"

#include <algorithm>
#include <cmath>

#include "base/text.h"
#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "sdk/session.h"
#include "sdk/utilities.h"

namespace zelto {
namespace {

constexpr double kTitleHeight = 22;
constexpr double kRowHeight = 28;
constexpr double kRuleGap = 6;
constexpr const char* kAmountIdentifiers[] = {"Summary_Original_Amount", "Summary_Refund_Amount",
                                              "Summary_Total_After_Refund"};

// "USD 25.50" in `currencyCode`.
std::string amountText(double amount, const std::string& currencyCode) {
  const auto components = Utilities::getISOCurrencyComponents(amount, currencyCode);
  return components.ISOCurrencyCode + " " + components.formattedAmount;
}

}  // namespace

void ZELTOSummaryCellView::setCellModel(ZELTOPaymentCellModel model) {
  ZELTOCellView::setCellModel(std::move(model));
  backgroundColor = platform::Color::white();

  titleLabel_ = addTitleLabel(KitBundle::string(model_.titleName.value_or("")), "Summary_Title");
  rule_ = std::make_shared<platform::View>();
  rule_->backgroundColor = KitPalette::mist();
  addSubview(rule_);

  const std::string leftTexts[] = {KitBundle::string("REVIEW_PAYMENT_ORIGINAL_TRANSACTION"),
                                   KitBundle::string("Refund Amount"),
                                   KitBundle::string("REVIEW_PAYMENT_TOTAL_AFTER_REFUND")};
  for (int row = kTop; row <= kBottom; ++row) {
    const bool total = row == kBottom;
    auto left = std::make_shared<platform::Label>();
    left->text = leftTexts[row];
    left->font = total ? KitFont::headline() : KitFont::body();
    left->textColor = total ? KitPalette::ink() : KitPalette::slate();
    // Longer translations ("Total après remboursement") shrink rather than lose their end.
    left->adjustsFontSizeToFitWidth = true;
    left->minimumScaleFactor = 0.7;
    addSubview(left);
    auto right = std::make_shared<platform::Label>();
    right->font = total ? KitFont::headline() : KitFont::body();
    right->textColor = KitPalette::ink();
    right->textAlignment = platform::TextAlignment::kTrailing;
    right->adjustsFontSizeToFitWidth = true;
    right->minimumScaleFactor = 0.6;
    right->accessibilityIdentifier = kAmountIdentifiers[row];
    addSubview(right);
    left_[row] = std::move(left);
    right_[row] = std::move(right);
  }

  if (const auto paid = text::parseDouble(model_.value.value_or(""))) {
    right_[kTop]->text = amountText(*paid, flow_.activeCurrencyCode());
    right_[kMiddle]->text = "- " + amountText(*paid, flow_.activeCurrencyCode());
  }
  right_[kBottom]->text = amountText(0, flow_.activeCurrencyCode());
}

void ZELTOSummaryCellView::updateCellWithAmount(double refundAmount, double maxRefund) {
  right_[kMiddle]->text = "- " + amountText(refundAmount, flow_.activeCurrencyCode());
  right_[kBottom]->text = amountText(maxRefund - refundAmount, flow_.activeCurrencyCode());
}

double ZELTOSummaryCellView::preferredHeight(double /*width*/) const {
  return 2 * kMarginY + kTitleHeight + 8 + 3 * kRowHeight + 2 * kRuleGap + 1;
}

void ZELTOSummaryCellView::layoutCell() {
  const double width = std::max(0.0, frame().width - 2 * kMarginX);
  // The amounts take what the texts on the left leave, at least half the width.
  const double leftWidth = std::floor(width * 0.5);
  titleLabel_->setFrame({kMarginX, kMarginY, width, kTitleHeight});
  double y = kMarginY + kTitleHeight + 8;
  for (int row = kTop; row <= kBottom; ++row) {
    if (row == kBottom) {
      y += kRuleGap;
      rule_->setFrame({kMarginX, y, width, 1});
      y += 1 + kRuleGap;
    }
    left_[row]->setFrame({kMarginX, y, leftWidth, kRowHeight});
    right_[row]->setFrame({kMarginX + leftWidth, y, width - leftWidth, kRowHeight});
    y += kRowHeight;
  }
}

}  // namespace zelto
