#include "screens/cells/cell.h"

#include <algorithm>

#include "kit/kit_theme.h"

namespace zelto {

std::string ZELTOCellView::identifierStem() const {
  std::string stem = model_.titleName.value_or("");
  std::replace(stem.begin(), stem.end(), ' ', '_');
  return stem;
}

std::shared_ptr<platform::Label> ZELTOCellView::addTitleLabel(std::string text,
                                                              std::string identifier) {
  auto label = std::make_shared<platform::Label>();
  label->text = std::move(text);
  label->font = KitFont::headline();
  label->textColor = KitPalette::ink();
  label->accessibilityIdentifier = std::move(identifier);
  addSubview(label);
  return label;
}

}  // namespace zelto
