// Digit-by-digit amount entry on arbitrary typed text, flow codes and device locales.
// Input: one byte choosing the device locale, one byte giving the length N of the flow's
// currency code, N bytes of code, then the typed text.
// Properties: nothing crashes; the amount is finite and not negative; re-reading the display
// text gives the same display and amount (when the digits fit a double exactly); the display
// text turns back into a plain decimal of the same amount.
#include <stdlib.h>
#include <zelto/currency/amount_format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/text.h"

namespace {

constexpr std::array<const char*, 6> kDeviceLocales = {"en_US.UTF-8", "de_DE.UTF-8", "fr_FR",
                                                       "ar_EG",       "C",           "hi_IN"};

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  ::setenv("LC_ALL", kDeviceLocales[static_cast<std::uint8_t>(input[0]) % kDeviceLocales.size()],
           1);
  std::size_t codeLength =
      std::min<std::size_t>(static_cast<std::uint8_t>(input[1]) % 8, input.size() - 2);
  std::string code(input.substr(2, codeLength));
  std::string typed(input.substr(2 + codeLength));

  zelto::CurrencyText entered = zelto::currency::currencyForText(typed, code);
  check(std::isfinite(entered.amount) && entered.amount >= 0, "amount is finite and not negative");
  check(!entered.text.empty(), "a finite amount always formats");

  std::size_t digits = std::ranges::count_if(typed, [](char c) { return c >= '0' && c <= '9'; });
  if (digits > 15) return 0;
  zelto::CurrencyText again = zelto::currency::currencyForText(entered.text, code);
  check(again == entered, "re-reading the display text changes nothing");
  std::optional<double> plain =
      zelto::text::parseDouble(zelto::currency::plainDecimalString(entered.text, code));
  check(plain.has_value(), "the plain decimal is a number");
  check(*plain == entered.amount, "the plain decimal is the amount");
  return 0;
}
