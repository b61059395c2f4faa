// Amount entry speed. One keystroke re-reads the whole typed text and re-formats it with the
// formatter of the flow's currency; the formatter is reused, so a keystroke costs a format, not
// the creation of an ICU formatter (compare BM_CreateFormatter).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <zelto/currency/amount_format.h>

#include <optional>
#include <string>

#include "currency/currency_formatter.h"
#include "sdk/session.h"
#include "sdk/utilities.h"

namespace {

void pinDeviceLocale() { ::setenv("LC_ALL", "en_US.UTF-8", 1); }

// What the amount field does per key: Utilities::getCurrency, following the session's flow.
void BM_KeystrokeThirteenDigits(benchmark::State& state) {
  pinDeviceLocale();
  auto request = std::make_shared<zelto::ZeltoPaymentRequest>();
  request->currencyCode = "840";
  zelto::ZeltoSession::sharedSession().requestPaymentSession->request = request;
  zelto::ZeltoSession::sharedSession().setActiveSessionType(zelto::ZeltoActiveFlow::requestPayment);
  const std::optional<std::string> typed = "$12,345,678,901.23";
  for (auto _ : state) benchmark::DoNotOptimize(zelto::Utilities::getCurrency(typed));
}
BENCHMARK(BM_KeystrokeThirteenDigits);

// The same keystroke through the pure path with the code given.
void BM_KeystrokeExplicitCode(benchmark::State& state) {
  pinDeviceLocale();
  const std::optional<std::string> typed = "$12,345,678,901.23";
  for (auto _ : state) benchmark::DoNotOptimize(zelto::currency::currencyForText(typed, "840"));
}
BENCHMARK(BM_KeystrokeExplicitCode);

void BM_CreateFormatter(benchmark::State& state) {
  pinDeviceLocale();
  for (auto _ : state) {
    zelto::currency::CurrencyFormatter formatter(std::string("en_US"), "en_US");
    benchmark::DoNotOptimize(formatter.minimumFractionDigits());
  }
}
BENCHMARK(BM_CreateFormatter);

void BM_PlainDecimalString(benchmark::State& state) {
  pinDeviceLocale();
  for (auto _ : state) {
    benchmark::DoNotOptimize(zelto::currency::plainDecimalString("$12,345,678,901.23", "840"));
  }
}
BENCHMARK(BM_PlainDecimalString);

}  // namespace
