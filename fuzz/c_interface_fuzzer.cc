// The C interface driven by random sequences of calls, as a careless host might make them:
// requests, refund requests and configurations created, edited, launched, released (twice,
// and then used); screens drawn at odd sizes and scales, tapped, typed into, scrolled back and
// ended; outputs and messages passed as NULL at random.
// Properties: nothing crashes or leaks; every call answers a known status; on any status but
// ZELTO_OK the pointer outputs are left NULL; a launch that answered ZELTO_OK releases its user
// data exactly once by the time the flow has ended, and one that did not never does.
#include <stdlib.h>
#include <zelto/zelto.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

// Reads the fuzzer's bytes as choices; past the end every choice is 0.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool done() const { return offset_ >= size_; }
  std::uint8_t byte() { return offset_ < size_ ? data_[offset_++] : 0; }
  std::size_t below(std::size_t bound) { return bound == 0 ? 0 : byte() % bound; }
  bool chance() { return (byte() & 7) == 0; }
  double number(double low, double high) { return low + (high - low) * byte() / 255.0; }
  // A text of up to 63 bytes, any bytes but NUL (ill-formed UTF-8 included).
  std::string text() {
    std::string result;
    for (std::size_t length = below(64); length > 0 && !done(); --length) {
      const std::uint8_t c = byte();
      result.push_back(static_cast<char>(c == 0 ? ' ' : c));
    }
    return result;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
};

constexpr std::array<std::string_view, 12> kRequestTexts = {
    R"({"zeltoMerchantID": "4111111111111111", "merchantName": "ABC", "merchantCategoryCode":
      "5411", "cityName": "Pune", "countryCode": "IN", "currencyCode": "840", "tipAmount": "",
      "tipPercentage": "", "billID": "***"})",
    R"({"00": "01", "01": "12", "02": "4111111111111111", "52": "5411", "53": "356", "58": "IN",
      "59": "ABC", "60": "Pune", "62": {"07": "T1"}})",
    R"({"merchantName": "ABC"} trailing)",
    R"({"merchantName": 5})",
    R"([1, 2])",
    "{",
    "",
    R"({"transactionAmount": "12.50", "currencyCode": "978"})",
    R"({"merchantName": "A\u0000B"})",
    R"({"26": {"00": "x"}, "62": {"01": "***", "07": "T"}})",
    R"({"54": "1.5", "55": "02", "56": "1.00"})",
    "null",
};
constexpr std::array<const char*, 10> kPropertyNames = {
    "merchantName",    "transactionAmount", "currencyCode", "billID",  "terminalID",
    "zeltoMerchantID", "tipIndicator",      "cityName",     "unknown", "",
};
constexpr std::array<const char*, 6> kCurrencies = {"840", "356", "978", "392", "999", "84"};
constexpr std::array<const char*, 5> kLocales = {"en_US", "de_DE", "ar_SA", "xx_YY", ""};

struct Launch {
  int released = 0;
  int reports = 0;
  bool accepted = false;
};

struct State {
  std::vector<zelto_payment_request*> requests;
  std::vector<zelto_refund_payment_request*> refunds;
  std::vector<zelto_config*> configs;
  std::vector<Launch*> launches;
};

void countRelease(void* data) { ++static_cast<Launch*>(data)->released; }
void requestResult(void* data, bool, const zelto_request_payment_response*, const zelto_error* e) {
  ++static_cast<Launch*>(data)->reports;
  if (e == nullptr) return;
  std::size_t count = 0;
  check(zelto_error_code_count(e, &count, nullptr) == ZELTO_OK, "error codes counted");
  char* description = nullptr;
  check(zelto_error_description(e, &description, nullptr) == ZELTO_OK, "error described");
  zelto_free(description);
}
void refundResult(void* data, bool, const zelto_refund_payment_response* response,
                  const zelto_error*) {
  ++static_cast<Launch*>(data)->reports;
  if (response == nullptr) return;
  char* amount = nullptr;
  check(zelto_refund_payment_response_refund_amount(response, &amount, nullptr) == ZELTO_OK,
        "refund amount read");
  zelto_free(amount);
}

// Checks a call's status and the message it wrote to *messageOut (when asked for one), then
// frees the message.
zelto_status answered(zelto_status status, char** messageOut) {
  check(status >= ZELTO_OK && status <= ZELTO_ERROR_INTERNAL, "a known status");
  check(status != ZELTO_ERROR_INTERNAL, "no internal error");
  if (messageOut != nullptr) {
    check((status == ZELTO_OK) == (*messageOut == nullptr), "a message exactly when not OK");
    zelto_free(*messageOut);
    *messageOut = nullptr;
  }
  return status;
}

// A folder of its own for the recently used currencies the flows record.
std::string scratchFolder() {
  std::string pattern = "/tmp/zelto-c-fuzz-XXXXXX";
  check(mkdtemp(pattern.data()) != nullptr, "scratch folder created");
  return pattern;
}

template <class T>
T pick(Input& in, const std::vector<T>& pool) {
  return pool.empty() ? nullptr : pool[in.below(pool.size())];
}

// Checks a returned text (NULL on failure) and frees it.
void takeText(char** out, zelto_status status) {
  if (status != ZELTO_OK) check(*out == nullptr, "no text on failure");
  zelto_free(*out);
  *out = nullptr;
}

void step(Input& in, State& state) {
  char* message = nullptr;
  char** messageOut = in.chance() ? nullptr : &message;
  char* out = nullptr;
  char** textOut = in.chance() ? nullptr : &out;
  bool flag = false;
  switch (in.below(22)) {
    case 0: {
      zelto_payment_request* request = nullptr;
      const zelto_status status = answered(
          zelto_payment_request_init(in.chance() ? nullptr : &request, messageOut), messageOut);
      if (status == ZELTO_OK) state.requests.push_back(request);
      break;
    }
    case 1:
    case 2: {
      const std::string json = in.chance() ? in.text() : std::string(kRequestTexts[in.below(12)]);
      zelto_payment_request* request = nullptr;
      zelto_payment_request** target = in.chance() ? nullptr : &request;
      const bool tags = in.chance();
      const zelto_status status = answered(
          tags ? zelto_payment_request_init_with_tag_value_dictionary(json.data(), json.size(),
                                                                      target, messageOut)
               : zelto_payment_request_init_with_json(json.data(), json.size(), target, messageOut),
          messageOut);
      if (status == ZELTO_OK) state.requests.push_back(request);
      check(status == ZELTO_OK || request == nullptr, "no request on failure");
      break;
    }
    case 3: {
      const std::string value = in.text();
      answered(
          zelto_payment_request_set_property(pick(in, state.requests), kPropertyNames[in.below(10)],
                                             in.chance() ? nullptr : value.c_str(), messageOut),
          messageOut);
      break;
    }
    case 4: {
      const zelto_status status =
          answered(zelto_payment_request_property(
                       pick(in, state.requests), kPropertyNames[in.below(10)], textOut, messageOut),
                   messageOut);
      takeText(&out, status);
      break;
    }
    case 5: {
      const zelto_status status = answered(
          zelto_payment_request_get_tlv(pick(in, state.requests), textOut, messageOut), messageOut);
      takeText(&out, status);
      answered(zelto_payment_request_validate(pick(in, state.requests), messageOut), messageOut);
      break;
    }
    case 6:
      answered(zelto_payment_request_release(pick(in, state.requests)), nullptr);
      break;
    case 7: {
      zelto_refund_payment_request* refund = nullptr;
      const std::string last4 = in.chance() ? in.text() : "4242";
      const std::string amount = in.chance() ? in.text() : "25.50";
      const zelto_status status = answered(
          zelto_refund_payment_request_init_with_last4_card_holder_name_currency_code_refund_amount(
              last4.c_str(), "Asha Rao", kCurrencies[in.below(6)], amount.c_str(),
              in.chance() ? nullptr : &refund, messageOut),
          messageOut);
      if (status == ZELTO_OK) state.refunds.push_back(refund);
      break;
    }
    case 8:
      if (in.chance()) {
        answered(zelto_refund_payment_request_release(pick(in, state.refunds)), nullptr);
      } else {
        const std::string value = in.text();
        answered(zelto_refund_payment_request_set_property(pick(in, state.refunds),
                                                           in.chance() ? "last4" : "refundAmount",
                                                           value.c_str(), messageOut),
                 messageOut);
      }
      break;
    case 9:
    case 10: {
      auto* launch = new Launch;
      state.launches.push_back(launch);
      const bool refund = in.below(2) == 0;
      const bool delegate = in.chance();
      zelto_status status;
      if (refund) {
        status = delegate
                     ? zelto_launch_refund_paymnet_flow_with_request_delegate(
                           pick(in, state.refunds), refundResult, launch, countRelease, messageOut)
                     : zelto_launch_refund_payment_flow_with_request_completion_handler(
                           pick(in, state.refunds), refundResult, launch, countRelease, messageOut);
      } else {
        status =
            delegate
                ? zelto_launch_request_payment_flow_with_request_delegate(
                      pick(in, state.requests), requestResult, launch, countRelease, messageOut)
                : zelto_launch_request_payment_flow_with_request_completion_handler(
                      pick(in, state.requests), requestResult, launch, countRelease, messageOut);
      }
      launch->accepted = answered(status, messageOut) == ZELTO_OK;
      break;
    }
    case 11:
      answered(zelto_end_zelto_flow(nullptr, nullptr, messageOut), messageOut);
      break;
    case 12: {
      const int width = 1 + static_cast<int>(in.below(48));
      const int height = 1 + static_cast<int>(in.below(48));
      const int stride = 4 * (width + static_cast<int>(in.below(3)));
      const double scale = in.chance() ? in.number(-1, 40) : in.number(0.05, 3);
      std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * height);
      answered(zelto_display_draw(in.chance() ? nullptr : pixels.data(), width, height, stride,
                                  scale, in.chance() ? nullptr : &flag, messageOut),
               messageOut);
      break;
    }
    case 13:
      answered(zelto_display_tap(in.number(-10, 400), in.number(-10, 860),
                                 in.chance() ? nullptr : &flag, messageOut),
               messageOut);
      break;
    case 14: {
      const std::string typed = in.chance() ? in.text() : std::string(1, '0' + in.below(10));
      answered(zelto_display_type_text(typed.c_str(), &flag, messageOut), messageOut);
      break;
    }
    case 15:
      answered(in.chance() ? zelto_display_back(&flag, messageOut)
                           : zelto_display_delete_backward(&flag, messageOut),
               messageOut);
      break;
    case 16:
      answered(zelto_run_loop_run_for(in.number(0, 200), messageOut), messageOut);
      break;
    case 17: {
      zelto_config* config = nullptr;
      if (in.below(2) == 0 &&
          answered(zelto_config_init(in.chance() ? nullptr : &config, messageOut), messageOut) ==
              ZELTO_OK) {
        state.configs.push_back(config);
        break;
      }
      zelto_config* target = pick(in, state.configs);
      switch (in.below(5)) {
        case 0:
          answered(zelto_config_set_background_color(
                       target, {in.number(-1, 2), in.number(0, 1), NAN, 1}, messageOut),
                   messageOut);
          break;
        case 1:
          answered(zelto_config_set_paymerchant_time_out_in_seconds(
                       target, static_cast<int>(in.byte()) - 10, messageOut),
                   messageOut);
          break;
        case 2:
          answered(zelto_setup_one_time_configuration(target, messageOut), messageOut);
          break;
        case 3:
          if (answered(zelto_config_deep_copy(target, in.chance() ? nullptr : &config, messageOut),
                       messageOut) == ZELTO_OK) {
            state.configs.push_back(config);
          }
          break;
        default:
          answered(zelto_config_release(target), nullptr);
      }
      break;
    }
    case 18: {
      const std::string payload = in.text();
      zelto_status status = answered(
          zelto_decode_tlv(payload.data(), payload.size(), textOut, messageOut), messageOut);
      takeText(&out, status);
      int* codes = nullptr;
      std::size_t count = 0;
      status = answered(
          zelto_tlv_validation_with_tlv_string(payload.data(), payload.size(),
                                               in.chance() ? nullptr : &codes, &count, messageOut),
          messageOut);
      check(status == ZELTO_INVALID || codes == nullptr, "codes only with ZELTO_INVALID");
      zelto_free(codes);
      status =
          answered(zelto_encode_dict_to_tlv(payload.data(), payload.size(), textOut, messageOut),
                   messageOut);
      takeText(&out, status);
      break;
    }
    case 19: {
      const std::string typed = in.text();
      double amount = 0;
      const zelto_status status = answered(
          zelto_get_currency_for_text(typed.c_str(), kCurrencies[in.below(6)],
                                      in.chance() ? nullptr : kLocales[in.below(5)], textOut,
                                      in.chance() ? nullptr : &amount, messageOut),
          messageOut);
      takeText(&out, status);
      break;
    }
    case 20: {
      zelto_active_flow flow = ZELTO_ACTIVE_FLOW_NONE;
      answered(zelto_session_active_session_type(&flow, messageOut), messageOut);
      double time = 0;
      answered(zelto_run_loop_next_timer_time(&time, in.chance() ? nullptr : &flag, messageOut),
               messageOut);
      break;
    }
    default:
      answered(zelto_run_loop_run_pending(messageOut), messageOut);
  }
}

// Ends the flow and lets go of everything, so that each input starts afresh and leaks show.
void finish(State& state) {
  check(zelto_end_zelto_flow(nullptr, nullptr, nullptr) == ZELTO_OK, "flow ended");
  check(zelto_run_loop_run_for(400, nullptr) == ZELTO_OK, "run loop turned");
  for (zelto_payment_request* request : state.requests) zelto_payment_request_release(request);
  for (zelto_refund_payment_request* refund : state.refunds) {
    zelto_refund_payment_request_release(refund);
  }
  for (zelto_config* config : state.configs) zelto_config_release(config);
  for (Launch* launch : state.launches) {
    check(launch->released == (launch->accepted ? 1 : 0),
          "an accepted launch releases its user data once, a refused one never");
    check(launch->accepted || launch->reports == 0, "a refused launch reports nothing");
    delete launch;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = ::setenv("XDG_CONFIG_HOME", scratchFolder().c_str(), 1) == 0 &&
                            zelto_run_loop_set_clock(ZELTO_CLOCK_MANUAL, nullptr) == ZELTO_OK &&
                            zelto_display_set_screen_size(390, 844, nullptr) == ZELTO_OK;
  check(ready, "set up");
  Input in(data, size);
  State state;
  for (int steps = 0; !in.done() && steps < 200; ++steps) step(in, state);
  finish(state);
  return 0;
}
