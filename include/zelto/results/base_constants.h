// Module-wide constant values that are not texts.
#ifndef ZELTO_RESULTS_BASE_CONSTANTS_H_
#define ZELTO_RESULTS_BASE_CONSTANTS_H_

#include <string_view>

namespace zelto::BaseConstants {

// ISO 4217 numeric code of the currency used when no flow supplies one (Indian rupee).
inline constexpr std::string_view defaultTransactionCurrency = "356";

}  // namespace zelto::BaseConstants

#endif  // ZELTO_RESULTS_BASE_CONSTANTS_H_
