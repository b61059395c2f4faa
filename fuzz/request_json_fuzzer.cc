// A payment request read from arbitrary JSON text. Checks the reader against nlohmann's, that a
// refused request names its fault, that a read request's check gives at most one message, and
// that its payload is closed by a correct CRC and holds no control character.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/json_fuzz_checks.h"
#include "sdk/request_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto json = zelto::fuzz::readChecked(text);
  if (!json) return 0;
  const zelto::PaymentRequestFromJson read = zelto::paymentRequestFromJson(*json);
  if (!read.request) {
    if (read.error.empty()) std::abort();
    return 0;
  }
  if (const auto error = read.request->validate(); error && error->errorCodes.size() != 1) {
    std::abort();
  }
  zelto::fuzz::checkPayload(read.request->getTLVForPlainObject());
  return 0;
}
