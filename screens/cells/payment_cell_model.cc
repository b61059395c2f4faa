#include "screens/cells/payment_cell_model.h"

namespace zelto {

std::optional<CellType> cellTypeFromRawValue(int raw) {
  if (raw < 0 || raw > kCellTypeMaxRawValue) return std::nullopt;
  return static_cast<CellType>(raw);
}

}  // namespace zelto
