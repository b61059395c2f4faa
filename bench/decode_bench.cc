// Decoding speed: decoding alone, and decoding plus validation (TLVGenerator::tlvValidation), of
// the worked example payload (112 characters) and of a 299-character payload with three merchant
// account templates, the additional data and language templates and a convenience fee. Both are
// valid, so validation runs every rule and the CRC. bench/compare_js.sh times the same payloads
// with two JavaScript decoders.
#include <benchmark/benchmark.h>
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/tlv_generator.h>

#include <string_view>

namespace {

constexpr std::string_view kWorkedExample =
    "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510.00"
    "6215010412340703T016304FB81";

constexpr std::string_view kTemplates =
    "0002010102120216411111111111111126380015com.example.pay0115MERCHANT001234527310014in."
    "example.upi0109shop@bank51290014com.example.qr0107SG-012352045812530335654071234.50550202"
    "560510.005802IN5915Green Leaf Cafe6009Bengaluru610656000162320108INV-00010507REF77880705"
    "T000164200002EN0110Green Leaf6304E8D8";

void decode(benchmark::State& state, std::string_view payload) {
  for (auto _ : state) {
    zelto::ZeltoPayMerchantTLV record;
    benchmark::DoNotOptimize(record.decodeTLV(payload));
    benchmark::DoNotOptimize(record);
  }
}

void decodeAndValidate(benchmark::State& state, std::string_view payload) {
  if (!zelto::TLVGenerator::tlvValidation(payload).empty()) {
    state.SkipWithError("the payload is expected to be valid");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(zelto::TLVGenerator::tlvValidation(payload));
}

BENCHMARK_CAPTURE(decode, WorkedExample, kWorkedExample);
BENCHMARK_CAPTURE(decodeAndValidate, WorkedExample, kWorkedExample);
BENCHMARK_CAPTURE(decode, Templates299, kTemplates);
BENCHMARK_CAPTURE(decodeAndValidate, Templates299, kTemplates);

}  // namespace
