#include "screens/cells/zelto_cell_view.h"

#include <algorithm>

namespace zelto {

std::string ZELTOCellView::identifierStem() const {
  std::string stem = model_.titleName.value_or("");
  std::replace(stem.begin(), stem.end(), ' ', '_');
  return stem;
}

}  // namespace zelto
