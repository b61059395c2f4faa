// The field checks behind ZeltoPaymentRequest::validate(), one function per rule, so that each
// can be tested on its own. Characters are user-perceived characters; digits and letters are
// Unicode classes (base/text.h).
//
// Thread-safety: pure functions.
#ifndef ZELTO_PAYLOAD_REQUEST_CHECKS_H_
#define ZELTO_PAYLOAD_REQUEST_CHECKS_H_

#include <optional>
#include <string>
#include <string_view>

namespace zelto::request_checks {

// Exactly "01".
bool validatePayloadFormatIndicator(const std::optional<std::string>& indicator);
// Begins with "4", 8 to 16 characters, an unsigned 64-bit decimal integer, and its 16-digit
// expansion passes the Luhn check.
bool validateMerchantID(const std::optional<std::string>& id);
// Exactly 4 decimal digits.
bool validateMerchantCategoryCode(const std::optional<std::string>& code);
// Exactly 2 letters and one of the platform's ISO 3166 region codes.
bool validateCountryCode(const std::optional<std::string>& code);
// Exactly 3 decimal digits whose value is a known ISO 4217 numeric code.
bool validateCurrencyCode(const std::optional<std::string>& code);
// Absent, "", "01", "02" or "03".
bool validateTipAndFeeIndicator(const std::optional<std::string>& tipIndicator);
// With indicator "02": 1 to 9 characters of digits and ".", a number greater than 0.
// With any other indicator: present and empty.
bool validateConvenienceFeeAmount(const std::optional<std::string>& amount,
                                  const std::optional<std::string>& tipIndicator);
// With indicator "03": 1 to 5 characters of digits and ".", a number from 0.01 to 99.99.
// With any other indicator: present and empty.
bool validateConveniencePercentage(const std::optional<std::string>& percentage,
                                   const std::optional<std::string>& tipIndicator);

// Ids of 7 to 15 characters are widened to 16: the first 6 characters, zeros, then the rest
// ("4123456789" -> "4123450000006789"); other ids are returned unchanged.
std::string convertMerchantIdToPan(std::string_view id);
// The Luhn check that a character other than an ASCII digit fails (payload/luhn.h).
bool luhnsAlgorithmCheck(std::string_view merchantPan);

}  // namespace zelto::request_checks

#endif  // ZELTO_PAYLOAD_REQUEST_CHECKS_H_
