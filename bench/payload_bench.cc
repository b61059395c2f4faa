// Encoding speed: the plain-object encoder on the worked example request, and the dictionary
// encoder on a dictionary of about 15 tags with two templates.
#include <benchmark/benchmark.h>
#include <zelto/payload/tlv_generator.h>
#include <zelto/sdk/zelto_payment_request.h>

namespace {

// The worked example: merchant fields, an amount, a bill number and a terminal label.
zelto::ZeltoPaymentRequest workedExample() {
  zelto::ZeltoPaymentRequest request("01", "11", "4111111111111111", "ABC Store", "5411", "Mumbai",
                                     "IN", "356", "", "", "", "", "", "", "", "");
  request.transactionAmount = "10.00";
  request.billID = "1234";
  request.terminalID = "T01";
  return request;
}

void BM_PlainObjectEncode(benchmark::State& state) {
  const auto request = workedExample();
  for (auto _ : state) benchmark::DoNotOptimize(request.getTLVForPlainObject());
}
BENCHMARK(BM_PlainObjectEncode);

void BM_DictionaryEncode(benchmark::State& state) {
  using zelto::TagDictionary;
  const TagDictionary dict{
      {"00", "01"},
      {"01", "12"},
      {"02", "4111111111111111"},
      {"04", "5105105105105100"},
      {"26", TagDictionary{{"00", "com.zelto.pay"}, {"01", "MERCHANT-0001"}}},
      {"52", "5411"},
      {"53", "356"},
      {"54", "125.50"},
      {"58", "IN"},
      {"59", "ABC Store"},
      {"60", "Mumbai"},
      {"61", "400001"},
      {"62", TagDictionary{{"01", "INV-1001"}, {"05", "REF-77"}, {"07", "T01"}}},
      {"65", "RFU"},
      {"63", "0000"},
  };
  for (auto _ : state) benchmark::DoNotOptimize(zelto::TLVGenerator::encodeDictToTLV(dict));
}
BENCHMARK(BM_DictionaryEncode);

}  // namespace
