// JSON input at size: each benchmark runs one path of the `zelto` tool on inputs of 1 MB and
// 10 MB (the argument). Reading, checking and encoding are linear when the 10 MB run takes ten
// times the time of the 1 MB run: the same bytes_per_second for both. Memory grows with the
// input, so caches make the larger run somewhat slower per byte on any machine.
//
//   TagDictionary*  {"00": "01", two-character tags of 99 characters for a tenth of the size,
//                   then numbers under longer keys}: as `check --tags` and `encode --tags`
//   TemplateMembers {"00": "01", "26": {"k0": "v", "k1": "v", ... up to the size}}, encoded
//   RequestName     {"merchantName": "é" repeated}: a plain request read and checked
//   RefundName      {"cardHolderName": "ж" repeated, ...}: a refund request read and checked
//   ReadOnly        the tag dictionary input through json::read alone (the tree that request
//                   and refund inputs are read into)
#include <benchmark/benchmark.h>
#include <zelto/payload/tag_dictionary.h>
#include <zelto/payload/tlv_generator.h>

#include <string>

#include "base/json_reader.h"
#include "payload/tag_dictionary_json.h"
#include "sdk/request_json.h"

namespace {

constexpr std::size_t kMB = 1 << 20;

// A tenth of the text is two-character tags with values of 99 characters, the rest numbers under
// longer keys, so that both sizes have the same make-up.
std::string tagDictionaryText(std::size_t size) {
  std::string text = R"({"00": "01")";
  const std::string value(99, 'v');
  for (char a = '!'; a <= '~' && text.size() < size / 10; ++a) {
    for (char b = '!'; b <= '~' && text.size() < size / 10; ++b) {
      if (a == '"' || a == '\\' || b == '"' || b == '\\') continue;
      text += std::string(", \"") + a + b + "\": \"" + value + '"';
    }
  }
  for (int i = 0; text.size() < size; ++i) text += ", \"n" + std::to_string(i) + "\": 12345";
  return text + '}';
}

std::string templateText(std::size_t size) {
  std::string text = R"({"00": "01", "26": {"k0": "v")";
  for (int i = 1; text.size() < size; ++i) text += ", \"k" + std::to_string(i) + "\": \"v\"";
  return text + "}}";
}

std::string repeated(std::string_view unit, std::size_t size) {
  std::string text;
  text.reserve(size + unit.size());
  while (text.size() < size) text += unit;
  return text;
}

// Runs `step` on the text of `make(size)` and reports the bytes of input read per second.
template <typename Make, typename Step>
void run(benchmark::State& state, Make make, Step step) {
  const std::string text = make(static_cast<std::size_t>(state.range(0)) * kMB);
  for (auto _ : state) step(text);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// As the tool reads a dictionary: straight from the text, with no JSON tree.
zelto::TagDictionary dictionaryOf(std::string_view text) {
  return std::move(*zelto::readTagDictionary(text).dictionary);
}

void BM_ReadOnly(benchmark::State& state) {
  run(state, tagDictionaryText,
      [](const std::string& text) { benchmark::DoNotOptimize(zelto::json::read(text)); });
}

void BM_TagDictionaryCheck(benchmark::State& state) {
  run(state, tagDictionaryText, [](const std::string& text) {
    benchmark::DoNotOptimize(
        zelto::ZeltoPaymentRequest::withTagValueDictionary(dictionaryOf(text))->validate());
  });
}

void BM_TagDictionaryEncode(benchmark::State& state) {
  run(state, tagDictionaryText, [](const std::string& text) {
    benchmark::DoNotOptimize(zelto::TLVGenerator::encodeDictToTLV(dictionaryOf(text)));
  });
}

void BM_TemplateMembers(benchmark::State& state) {
  run(state, templateText, [](const std::string& text) {
    benchmark::DoNotOptimize(zelto::TLVGenerator::encodeDictToTLV(dictionaryOf(text)));
  });
}

void BM_RequestName(benchmark::State& state) {
  run(
      state, [](std::size_t size) { return R"({"merchantName": ")" + repeated("é", size) + "\"}"; },
      [](const std::string& text) {
        const auto request = zelto::paymentRequestFromJson(*zelto::json::read(text).value);
        benchmark::DoNotOptimize(request.request->validate());
      });
}

void BM_RefundName(benchmark::State& state) {
  run(
      state,
      [](std::size_t size) {
        return R"({"last4": "4242", "refundAmount": "1", "cardHolderName": ")" +
               repeated("ж", size) + "\"}";
      },
      [](const std::string& text) {
        const auto request = zelto::refundRequestFromJson(*zelto::json::read(text).value);
        benchmark::DoNotOptimize(request.request->validate());
      });
}

BENCHMARK(BM_ReadOnly)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagDictionaryCheck)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagDictionaryEncode)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TemplateMembers)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RequestName)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefundName)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
