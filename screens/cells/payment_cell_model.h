// CellType and ZELTOPaymentCellModel: what one cell of a payment form shows.
//
// CellType's raw values are fixed (a screen indexes its per-cell validity by them): none 0 up to
// orvanCardNumber 18; cellTypeFromRawValue() gives the case of a raw value, absent for anything
// outside 0 to 18.
//
// Thread-safety: plain values.
#ifndef ZELTO_SCREENS_CELLS_PAYMENT_CELL_MODEL_H_
#define ZELTO_SCREENS_CELLS_PAYMENT_CELL_MODEL_H_

#include <optional>
#include <string>
#include <string_view>

namespace zelto {

enum class CellType {
  none = 0,
  merchantDetail = 1,
  message = 2,
  paymentAmount = 3,
  addTip = 4,
  summary = 5,
  billNumber = 6,
  mobileNumber = 7,
  storeID = 8,
  loyaltyNumber = 9,
  referenceID = 10,
  consumerID = 11,
  terminalID = 12,
  paymentPurpose = 13,
  optionalNote = 14,
  saveLater = 15,
  resetButton = 16,
  recipientName = 17,
  orvanCardNumber = 18,
};

inline constexpr int kCellTypeMaxRawValue = 18;

constexpr int rawValue(CellType type) { return static_cast<int>(type); }
std::optional<CellType> cellTypeFromRawValue(int raw);

// True for the eight cells of the additional data (billNumber to paymentPurpose).
constexpr bool isAdditionalDataCell(CellType type) {
  return rawValue(type) >= rawValue(CellType::billNumber) &&
         rawValue(type) <= rawValue(CellType::paymentPurpose);
}

class ZELTOPaymentCellModel {
 public:
  ZELTOPaymentCellModel() = default;
  ZELTOPaymentCellModel(CellType cellType, std::optional<std::string> titleName,
                        std::optional<std::string> value)
      : cellType(cellType), titleName(std::move(titleName)), value(std::move(value)) {}

  CellType cellType = CellType::none;
  std::optional<std::string> titleName;
  std::optional<std::string> value;
  bool isRequired = false;
  std::optional<std::string> merchantId;
  std::optional<std::string> merchantName;
  std::optional<std::string> merchantCity;
  std::optional<bool> isTipAvailable;
  std::optional<std::string> tipAndFeeIndicator;
  std::optional<std::string> convenienceFeeAmount;
  std::optional<std::string> convenienceFeePercentage;
  std::string currencyString;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_PAYMENT_CELL_MODEL_H_
