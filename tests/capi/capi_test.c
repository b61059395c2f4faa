/* The C interface driven from C11 as a host would, screens drawn and driven included, with misuse:
 * NULL pointers, ill-formed UTF-8, handles released twice, used after release or outside the
 * callback that lent them, calls from a second thread. Exits with 1 when any check fails. */
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <threads.h>
#include <zelto/zelto.h>

static int failures = 0;

#define CHECK(condition)                                                            \
  do {                                                                              \
    if (!(condition)) {                                                             \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                                   \
    }                                                                               \
  } while (0)

/* Compares a returned text with the expected one, then frees it. */
#define CHECK_TEXT(text, expected)                                                \
  do {                                                                            \
    char* text_ = (text);                                                         \
    if (text_ == NULL || strcmp(text_, (expected)) != 0) {                        \
      fprintf(stderr, "%s:%d: got \"%s\", expected \"%s\"\n", __FILE__, __LINE__, \
              text_ ? text_ : "(null)", (expected));                              \
      ++failures;                                                                 \
    }                                                                             \
    zelto_free(text_);                                                            \
  } while (0)

/* Checks the status of a call and that its message names `needle` ("" when any message will
 * do; NULL when there must be none). */
static void check_status(int line, zelto_status got, char* message, zelto_status expected,
                         const char* needle) {
  int ok = got == expected;
  if (needle == NULL) ok = ok && message == NULL;
  if (needle != NULL) ok = ok && message != NULL && strstr(message, needle) != NULL;
  if (!ok) {
    fprintf(stderr, "capi_test.c:%d: got %s \"%s\", expected %s naming \"%s\"\n", line,
            zelto_status_name(got), message ? message : "(null)", zelto_status_name(expected),
            needle ? needle : "(no message)");
    ++failures;
  }
  zelto_free(message);
}
#define STATUS(call, expected, needle)                          \
  do {                                                          \
    char* message = NULL;                                       \
    zelto_status status_ = (call);                              \
    check_status(__LINE__, status_, message, expected, needle); \
  } while (0)

static const char kDemoMerchant[] =
    "{\"pointOfInitiation\": \"11\", \"zeltoMerchantID\": \"4111111111111111\", "
    "\"merchantName\": \"Zelto Demo Store\", \"merchantCategoryCode\": \"5411\", "
    "\"cityName\": \"Mumbai\", \"countryCode\": \"IN\", \"currencyCode\": \"356\", "
    "\"tipAmount\": \"\", \"tipPercentage\": \"\", \"postalCode\": \"400001\", "
    "\"transactionAmount\": \"250.00\", \"billID\": \"INV-1001\"}";
static const char kDemoPayload[] =
    "000201010211021641111111111111115916Zelto Demo Store520454116006Mumbai5802IN5303356610640000"
    "15406250.0062120108INV-1001630430A5";

static void test_payloads(void) {
  zelto_payment_request* request = NULL;
  char* payload = NULL;
  STATUS(zelto_payment_request_init_with_json(kDemoMerchant, strlen(kDemoMerchant), &request,
                                              &message),
         ZELTO_OK, NULL);
  STATUS(zelto_payment_request_get_tlv(request, &payload, &message), ZELTO_OK, NULL);
  CHECK_TEXT(payload, kDemoPayload);
  STATUS(zelto_payment_request_validate(request, &message), ZELTO_OK, NULL);

  /* Fields set one by one reach the payload; absent and "" stay distinct. */
  char* value = NULL;
  STATUS(zelto_payment_request_set_property(request, "billID", NULL, &message), ZELTO_OK, NULL);
  STATUS(zelto_payment_request_property(request, "billID", &value, &message), ZELTO_OK, NULL);
  CHECK(value == NULL);
  STATUS(zelto_payment_request_set_property(request, "terminalID", "T01", &message), ZELTO_OK,
         NULL);
  STATUS(zelto_payment_request_set_property(request, "merchantName", "", &message), ZELTO_OK, NULL);
  STATUS(zelto_payment_request_property(request, "merchantName", &value, &message), ZELTO_OK, NULL);
  CHECK_TEXT(value, "");
  STATUS(zelto_payment_request_get_tlv(request, &payload, &message), ZELTO_OK, NULL);
  CHECK(payload != NULL && strstr(payload, "62070703T01") != NULL &&
        strstr(payload, "Zelto Demo Store") == NULL && strstr(payload, "INV-1001") == NULL);
  zelto_free(payload);
  STATUS(zelto_payment_request_validate(request, &message), ZELTO_INVALID, "Merchant name");
  STATUS(zelto_payment_request_release(request), ZELTO_OK, NULL);

  char* digits = NULL;
  STATUS(zelto_get_crc("123456789", 9, &digits, &message), ZELTO_OK, NULL);
  CHECK_TEXT(digits, "29B1");
  /* Only `length` bytes count. */
  STATUS(zelto_get_crc("123456789xyz", 9, &digits, &message), ZELTO_OK, NULL);
  CHECK_TEXT(digits, "29B1");

  static const char kTags[] = "{\"00\": \"01\", \"59\": \"ABC\"}";
  STATUS(zelto_encode_dict_to_tlv(kTags, strlen(kTags), &payload, &message), ZELTO_OK, NULL);
  CHECK_TEXT(payload, "0002015903ABC6304841B");
  STATUS(zelto_encode_dict_to_tlv("[1]", 3, &payload, &message), ZELTO_ERROR_INVALID_ARGUMENT,
         "object");
  STATUS(zelto_encode_dict_to_tlv("{\"00\": ", 7, &payload, &message), ZELTO_ERROR_INVALID_JSON,
         "parse error");
  CHECK(payload == NULL);
}

static void test_decode_and_validate(void) {
  char* json = NULL;
  STATUS(zelto_decode_tlv(kDemoPayload, strlen(kDemoPayload), &json, &message), ZELTO_OK, NULL);
  CHECK(json != NULL && strncmp(json, "{\"isTipAvailable\":false,", 24) == 0 &&
        strstr(json, "\"merchantName\":\"Zelto Demo Store\"") != NULL &&
        strstr(json, "\"additionalDataFieldTemplate\":{\"billID\":\"INV-1001\"}") != NULL);
  zelto_free(json);
  STATUS(zelto_decode_tlv("0002015903ABC6304841", 20, &json, &message), ZELTO_INVALID,
         "invalidLength");
  CHECK(json == NULL);

  static const struct {
    const char* payload;
    size_t count;
    int codes[6];
    const char* message;
  } cases[] = {
      {kDemoPayload, 0, {0}, NULL},
      {"0002016304AAE6", 5, {9, 15, 13, 7, 11}, "9\n15\n13\n7\n11\n"},
      {"zz", 1, {0}, "0\n"},
      /* The demo payload with its last CRC digit changed. */
      {"000201010211021641111111111111115916Zelto Demo Store520454116006Mumbai5802IN53033566106"
       "4000015406250.0062120108INV-1001630430A6",
       1,
       {48},
       "48\n"},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    int* codes = NULL;
    size_t count = 99;
    char* message = NULL;
    zelto_status status = zelto_tlv_validation_with_tlv_string(
        cases[i].payload, strlen(cases[i].payload), &codes, &count, &message);
    CHECK(status == (cases[i].count ? ZELTO_INVALID : ZELTO_OK));
    CHECK(count == cases[i].count);
    for (size_t c = 0; c < count && c < cases[i].count; ++c) CHECK(codes[c] == cases[i].codes[c]);
    CHECK(cases[i].message ? message && strcmp(message, cases[i].message) == 0 : !message);
    CHECK((codes == NULL) == (cases[i].count == 0));
    zelto_free(codes);
    zelto_free(message);
  }
}

static void test_checks(void) {
  /* A dictionary whose fields pass reports the payload validator's codes: 28 for a tip
   * indicator that is none of 01, 02, 03. */
  static const char kTags[] =
      "{\"00\": \"01\", \"02\": \"4111111111111111\", \"52\": \"5411\", \"53\": \"356\", "
      "\"58\": \"IN\", \"59\": \"ABC\", \"60\": \"Mumbai\", \"55\": \"05\"}";
  zelto_payment_request* request = NULL;
  STATUS(zelto_payment_request_init_with_tag_value_dictionary(kTags, strlen(kTags), &request,
                                                              &message),
         ZELTO_OK, NULL);
  STATUS(zelto_payment_request_validate(request, &message), ZELTO_INVALID, "28\n");
  zelto_payment_request_release(request);

  static const struct {
    const char* last4;
    const char* holder;
    const char* currency;
    const char* amount;
    zelto_status status;
    const char* message;
  } refunds[] = {
      {"4242", "Asha Rao", "840", "25.50", ZELTO_OK, NULL},
      {"42", "Asha Rao", "840", "25.50", ZELTO_INVALID,
       "Last Four digits of the card number should contain only four digits\n"},
      {"4242", "", "840", "25.50", ZELTO_INVALID, "Cardholder name"},
      {"4242", "Asha Rao", "12", "25.50", ZELTO_INVALID, "urrency"},
      {"4242", "Asha Rao", "840", "0", ZELTO_INVALID, "mount"},
  };
  for (size_t i = 0; i < sizeof refunds / sizeof refunds[0]; ++i) {
    zelto_refund_payment_request* refund = NULL;
    STATUS(
        zelto_refund_payment_request_init_with_last4_card_holder_name_currency_code_refund_amount(
            refunds[i].last4, refunds[i].holder, refunds[i].currency, refunds[i].amount, &refund,
            &message),
        ZELTO_OK, NULL);
    STATUS(zelto_refund_payment_request_validate(refund, &message), refunds[i].status,
           refunds[i].message);
    zelto_refund_payment_request_release(refund);
  }

  zelto_refund_payment_request* refund = NULL;
  char* value = NULL;
  STATUS(zelto_refund_payment_request_init(&refund, &message), ZELTO_OK, NULL);
  STATUS(zelto_refund_payment_request_property(refund, "currencyCode", &value, &message), ZELTO_OK,
         NULL);
  CHECK_TEXT(value, "356");
  STATUS(zelto_refund_payment_request_set_property(refund, "last4", "1234", &message), ZELTO_OK,
         NULL);
  STATUS(zelto_refund_payment_request_property(refund, "last4", &value, &message), ZELTO_OK, NULL);
  CHECK_TEXT(value, "1234");
  STATUS(zelto_refund_payment_request_set_property(refund, "pin", "1", &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "\"pin\"");
  zelto_refund_payment_request_release(refund);
}

static void test_amounts(void) {
  static const struct {
    const char* typed;
    const char* currency;
    const char* locale;
    const char* display;
    double amount;
  } entries[] = {
      {"1", "840", "en_US", "$0.01", 0.01},
      {"$0.012", "840", "en_US", "$0.12", 0.12},
      {"$12.3", "840", "en_US", "$1.23", 1.23},
      {"1234", "392", "en_US",
       "\xC2\xA5"
       "1,234",
       1234},
      {"123456", "978", "de_DE",
       "\xE2\x82\xAC"
       "1.234,56",
       1234.56},
      {NULL, "840", "en_US", "$0.00", 0},
  };
  for (size_t i = 0; i < sizeof entries / sizeof entries[0]; ++i) {
    char* display = NULL;
    double amount = -1;
    STATUS(zelto_get_currency_for_text(entries[i].typed, entries[i].currency, entries[i].locale,
                                       &display, &amount, &message),
           ZELTO_OK, NULL);
    CHECK(fabs(amount - entries[i].amount) < 1e-9);
    CHECK_TEXT(display, entries[i].display);
  }
  char* text = NULL;
  STATUS(zelto_format_amount(1234.5, "840", "en_US", &text, &message), ZELTO_OK, NULL);
  CHECK_TEXT(text, "$1,234.50");
  STATUS(zelto_plain_decimal_string("\xE2\x82\xAC"
                                    "1.234,56",
                                    "978", "de-DE", &text, &message),
         ZELTO_OK, NULL);
  CHECK_TEXT(text, "1234.56");
  STATUS(zelto_format_amount(NAN, "840", NULL, &text, &message), ZELTO_ERROR_INVALID_ARGUMENT,
         "finite");
  STATUS(zelto_format_amount(1, "USD", NULL, &text, &message), ZELTO_ERROR_INVALID_ARGUMENT,
         "\"USD\"");
  STATUS(zelto_format_amount(1, "841", NULL, &text, &message), ZELTO_ERROR_INVALID_ARGUMENT,
         "\"841\"");
  STATUS(zelto_format_amount(1, "840", "xx_YY", &text, &message), ZELTO_ERROR_INVALID_ARGUMENT,
         "\"xx_YY\"");
  CHECK(text == NULL);
}

static void test_config(void) {
  zelto_config* config = NULL;
  zelto_config* copy = NULL;
  int seconds = 0;
  bool flag = true;
  zelto_color color;
  STATUS(zelto_config_init(&config, &message), ZELTO_OK, NULL);
  STATUS(zelto_config_set_pay_friend_timeout_in_seconds(config, 0, &message), ZELTO_OK, NULL);
  STATUS(zelto_config_pay_friend_timeout_in_seconds(config, &seconds, &message), ZELTO_OK, NULL);
  CHECK(seconds == 180);
  STATUS(zelto_config_set_paymerchant_time_out_in_seconds(config, 30, &message), ZELTO_OK, NULL);
  STATUS(zelto_config_set_is_tlv_validation_required_for_p2m(config, true, &message), ZELTO_OK,
         NULL);
  STATUS(zelto_config_is_tlv_validation_required_for_p2m(config, &flag, &message), ZELTO_OK, NULL);
  CHECK(!flag);

  STATUS(zelto_color_from_hex(" #15195a\n", &color, &message), ZELTO_OK, NULL);
  CHECK(color.red == 0x15 / 255.0 && color.green == 0x19 / 255.0 && color.blue == 0x5A / 255.0 &&
        color.alpha == 1);
  STATUS(zelto_color_from_hex("#12345", &color, &message), ZELTO_OK, NULL);
  CHECK(color.red == 0.5 && color.green == 0.5 && color.blue == 0.5);
  color.alpha = 1.5;
  STATUS(zelto_config_set_font_color(config, color, &message), ZELTO_ERROR_INVALID_ARGUMENT,
         "0 to 1");

  /* The caret colour follows the background until set, and the copy keeps what it had. */
  const zelto_color red = {1, 0, 0, 1};
  STATUS(zelto_config_set_background_color(config, red, &message), ZELTO_OK, NULL);
  STATUS(zelto_config_text_caret_color(config, &color, &message), ZELTO_OK, NULL);
  CHECK(color.red == 1 && color.green == 0);
  STATUS(zelto_config_deep_copy(config, &copy, &message), ZELTO_OK, NULL);
  STATUS(zelto_config_set_paymerchant_time_out_in_seconds(config, 60, &message), ZELTO_OK, NULL);
  STATUS(zelto_config_paymerchant_time_out_in_seconds(copy, &seconds, &message), ZELTO_OK, NULL);
  CHECK(seconds == 30);
  STATUS(zelto_setup_one_time_configuration(copy, &message), ZELTO_OK, NULL);
  zelto_config_release(copy);
  zelto_config_release(config);
}

/* What the flow callbacks saw. */
typedef struct {
  int reports;
  bool success;
  char* first_code;
  const zelto_error* error; /* kept to check it dies with the call */
  int released;
  int ended;
} Recorder;

static void record_refund(void* user_data, bool success,
                          const zelto_refund_payment_response* response, const zelto_error* error) {
  Recorder* recorder = user_data;
  ++recorder->reports;
  recorder->success = success;
  recorder->error = error;
  CHECK(response == NULL);
  size_t count = 0;
  STATUS(zelto_error_code_count(error, &count, &message), ZELTO_OK, NULL);
  CHECK(count == 1);
  STATUS(zelto_error_code_at(error, 0, &recorder->first_code, &message), ZELTO_OK, NULL);
  char* code = NULL;
  STATUS(zelto_error_code_at(error, 1, &code, &message), ZELTO_ERROR_INVALID_ARGUMENT, "index 1");
}

static void record_request(void* user_data, bool success,
                           const zelto_request_payment_response* response,
                           const zelto_error* error) {
  (void)response;
  (void)error;
  Recorder* recorder = user_data;
  ++recorder->reports;
  recorder->success = success;
}

static void count_release(void* user_data) { ++((Recorder*)user_data)->released; }
static void count_end(void* user_data) { ++((Recorder*)user_data)->ended; }

/* A refund request for USD 25.50 to Asha Rao, its flow launched with `recorder` as the user
 * data of the completion handler and of its release. */
static zelto_refund_payment_request* launch_refund(Recorder* recorder) {
  zelto_refund_payment_request* request = NULL;
  STATUS(zelto_refund_payment_request_init_with_last4_card_holder_name_currency_code_refund_amount(
             "4242", "Asha Rao", "840", "25.50", &request, &message),
         ZELTO_OK, NULL);
  STATUS(zelto_launch_refund_payment_flow_with_request_completion_handler(
             request, record_refund, recorder, count_release, &message),
         ZELTO_OK, NULL);
  return request;
}

static zelto_active_flow active_flow(void) {
  zelto_active_flow flow = ZELTO_ACTIVE_FLOW_PAY_FRIEND;
  STATUS(zelto_session_active_session_type(&flow, &message), ZELTO_OK, NULL);
  return flow;
}

static void test_flows(void) {
  /* Ending a flow also ends the tag-dictionary mode test_checks started. */
  STATUS(zelto_end_zelto_flow(NULL, NULL, &message), ZELTO_OK, NULL);
  STATUS(zelto_run_loop_run_for(1, &message), ZELTO_OK, NULL);

  /* An invalid refund is reported inside the launch, through the delegate, and the lent error
   * is gone once the call has returned; the delegate is released after the report. */
  Recorder refund = {0};
  zelto_refund_payment_request* bad = NULL;
  STATUS(zelto_refund_payment_request_init(&bad, &message), ZELTO_OK, NULL);
  STATUS(zelto_launch_refund_paymnet_flow_with_request_delegate(bad, record_refund, &refund,
                                                                count_release, &message),
         ZELTO_OK, NULL);
  CHECK(refund.reports == 1 && !refund.success && refund.released == 1);
  CHECK_TEXT(refund.first_code, "Last four digits of the card cannot be empty");
  char* description = NULL;
  STATUS(zelto_error_description(refund.error, &description, &message), ZELTO_ERROR_INVALID_HANDLE,
         "zelto_error");
  CHECK(active_flow() == ZELTO_ACTIVE_FLOW_NONE);
  zelto_refund_payment_request_release(bad);

  /* A valid request opens the flow; ending it drops the handler (released once, never called)
   * and runs the completion once the window has slid away. */
  Recorder flow = {0};
  zelto_payment_request* request = NULL;
  STATUS(zelto_payment_request_init_with_json(kDemoMerchant, strlen(kDemoMerchant), &request,
                                              &message),
         ZELTO_OK, NULL);
  STATUS(zelto_launch_request_payment_flow_with_request_completion_handler(
             request, record_request, &flow, count_release, &message),
         ZELTO_OK, NULL);
  /* The flow holds the request: the host may release its handle at once. */
  zelto_payment_request_release(request);
  STATUS(zelto_run_loop_run_for(1, &message), ZELTO_OK, NULL);
  CHECK(active_flow() == ZELTO_ACTIVE_FLOW_REQUEST_PAYMENT);
  STATUS(zelto_end_zelto_flow(count_end, &flow, &message), ZELTO_OK, NULL);
  CHECK(flow.released == 1 && flow.ended == 0);
  STATUS(zelto_run_loop_run_for(1, &message), ZELTO_OK, NULL);
  CHECK(flow.ended == 1 && flow.reports == 0 && flow.released == 1);
  CHECK(active_flow() == ZELTO_ACTIVE_FLOW_NONE);

  /* The refund flow starts its 180-second idle timer. */
  Recorder idle = {0};
  double now = 0;
  double next = 0;
  bool scheduled = false;
  zelto_refund_payment_request* good = launch_refund(&idle);
  STATUS(zelto_run_loop_run_for(1, &message), ZELTO_OK, NULL);
  STATUS(zelto_run_loop_now(&now, &message), ZELTO_OK, NULL);
  STATUS(zelto_run_loop_next_timer_time(&next, &scheduled, &message), ZELTO_OK, NULL);
  CHECK(scheduled && next > now + 178 && next <= now + 180);
  STATUS(zelto_end_zelto_flow(NULL, NULL, &message), ZELTO_OK, NULL);
  STATUS(zelto_run_loop_run_for(1, &message), ZELTO_OK, NULL);
  CHECK(idle.reports == 0 && idle.released == 1);
  zelto_refund_payment_request_release(good);

  /* A new clock carries on from the run loop's time. */
  double before = 0;
  double after = 0;
  STATUS(zelto_run_loop_now(&before, &message), ZELTO_OK, NULL);
  STATUS(zelto_run_loop_set_clock(ZELTO_CLOCK_SYSTEM, &message), ZELTO_OK, NULL);
  STATUS(zelto_run_loop_set_clock(ZELTO_CLOCK_MANUAL, &message), ZELTO_OK, NULL);
  STATUS(zelto_run_loop_now(&after, &message), ZELTO_OK, NULL);
  CHECK(before > 3 && after >= before);
  STATUS(zelto_run_loop_set_clock((zelto_clock)7, &message), ZELTO_ERROR_INVALID_ARGUMENT, "clock");
}

/* The display hooks: the refund screen drawn into RGBA pixels, driven by taps, keys and back.
 * The screen is 390 by 844 points; its amount field spans (28, 147) to (362, 203) and the
 * navigation bar, in the background colour test_config set (red), the top 44 points. */
enum { kWidth = 390, kHeight = 844, kStride = kWidth * 4 + 8 };

static size_t differing_pixels(const unsigned char* a, const unsigned char* b) {
  size_t count = 0;
  for (int y = 0; y < kHeight; ++y) {
    count += memcmp(a + (size_t)y * kStride, b + (size_t)y * kStride, (size_t)kWidth * 4) != 0;
  }
  return count;
}

static int all_white(const unsigned char* pixels) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth * 4; ++x) {
      if (pixels[(size_t)y * kStride + x] != 0xFF) return 0;
    }
  }
  return 1;
}

static void test_display(void) {
  unsigned char* first = malloc((size_t)kStride * kHeight);
  unsigned char* second = malloc((size_t)kStride * kHeight);
  CHECK(first != NULL && second != NULL);
  if (first == NULL || second == NULL) return;
  memset(first, 0xAB, (size_t)kStride * kHeight);
  bool shown = true;
  bool handled = true;

  /* No flow on screen: white, and no input is taken. */
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 1, &shown, &message), ZELTO_OK, NULL);
  CHECK(!shown && all_white(first));
  CHECK(first[kWidth * 4] == 0xAB && first[kStride - 1] == 0xAB); /* row padding untouched */
  STATUS(zelto_display_tap(195, 175, &handled, &message), ZELTO_OK, NULL);
  CHECK(!handled);

  Recorder refund = {0};
  zelto_refund_payment_request* request = launch_refund(&refund);
  STATUS(zelto_run_loop_run_for(1, &message), ZELTO_OK, NULL);
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 1, &shown, &message), ZELTO_OK, NULL);
  CHECK(shown && !all_white(first));
  const unsigned char* bar = first + (size_t)20 * kStride + 300 * 4;
  CHECK(bar[0] == 0xFF && bar[1] == 0 && bar[2] == 0 && bar[3] == 0xFF);
  /* The same red in cairo's format: one 32-bit word, alpha high, then red, green, blue. */
  STATUS(zelto_display_draw_in_format(second, kWidth, kHeight, kStride, 1, ZELTO_PIXELS_ARGB32,
                                      &shown, &message),
         ZELTO_OK, NULL);
  uint32_t word = 0;
  memcpy(&word, second + (size_t)20 * kStride + 300 * 4, 4);
  CHECK(word == 0xFFFF0000u);
  STATUS(zelto_display_draw_in_format(second, kWidth, kHeight, kStride, 1, (zelto_pixel_format)2,
                                      &shown, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "format");
  CHECK(first[kWidth * 4] == 0xAB);

  /* A tap on the amount field gives it the keyboard, which the next drawing shows. */
  STATUS(zelto_display_tap(195, 175, &handled, &message), ZELTO_OK, NULL);
  CHECK(handled);
  STATUS(zelto_display_draw(second, kWidth, kHeight, kStride, 1, &shown, &message), ZELTO_OK, NULL);
  CHECK(shown && differing_pixels(first, second) > 100);
  /* Keys reach the field: 9 makes 255.09, over the request; deleting it restores 25.50. */
  STATUS(zelto_display_type_text("9", &handled, &message), ZELTO_OK, NULL);
  CHECK(handled);
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 1, &shown, &message), ZELTO_OK, NULL);
  CHECK(differing_pixels(first, second) > 0);
  STATUS(zelto_display_delete_backward(&handled, &message), ZELTO_OK, NULL);
  CHECK(handled);
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 1, &shown, &message), ZELTO_OK, NULL);
  CHECK(differing_pixels(first, second) == 0);
  /* The summary title is no control. */
  STATUS(zelto_display_tap(60, 238, &handled, &message), ZELTO_OK, NULL);
  CHECK(!handled);

  /* Misuse. */
  STATUS(zelto_display_draw(NULL, kWidth, kHeight, kStride, 1, &shown, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "pixels");
  STATUS(zelto_display_draw(first, kWidth, kHeight, kWidth * 4 - 4, 1, &shown, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "stride");
  STATUS(zelto_display_draw(first, 0, kHeight, kStride, 1, &shown, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "width");
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, NAN, &shown, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "scale");
  /* Past what can be drawn: refused before a byte is written (these strides would take the
   * drawing far beyond the buffer). */
  STATUS(zelto_display_draw(first, 32768, 1, 32768 * 4, 1, &shown, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "32767");
  STATUS(zelto_display_draw(first, 1, 40000, 4, 1, &shown, &message), ZELTO_ERROR_INVALID_ARGUMENT,
         "32767");
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 32.5, &shown, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "from 0.01 to 32");
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 0.009, &shown, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "from 0.01 to 32");
  /* The largest accepted sizes and scales draw. */
  STATUS(zelto_display_draw(first, 1, 32767, 4, 1, &shown, &message), ZELTO_OK, NULL);
  CHECK(shown);
  /* At the largest scale the texts can still be drawn: a font too large to make leaks inside
   * cairo, which the sanitizer build's leak checker reports. */
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 32, &shown, &message), ZELTO_OK, NULL);
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 0.01, &shown, &message), ZELTO_OK,
         NULL);
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 1, NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "shown");
  STATUS(zelto_display_tap(1, 1, NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "handled");
  STATUS(zelto_display_type_text("AB\xC3(", &handled, &message), ZELTO_ERROR_INVALID_UTF8, "");
  STATUS(zelto_display_type_text(NULL, &handled, &message), ZELTO_ERROR_NULL_ARGUMENT, "text");
  STATUS(zelto_display_set_screen_size(0, 844, &message), ZELTO_ERROR_INVALID_ARGUMENT, "width");
  STATUS(zelto_display_set_screen_size(390, INFINITY, &message), ZELTO_ERROR_INVALID_ARGUMENT,
         "height");

  /* Back on the first screen ends the flow without a report. */
  STATUS(zelto_display_back(&handled, &message), ZELTO_OK, NULL);
  CHECK(handled);
  STATUS(zelto_run_loop_run_for(1, &message), ZELTO_OK, NULL);
  STATUS(zelto_display_draw(first, kWidth, kHeight, kStride, 1, &shown, &message), ZELTO_OK, NULL);
  CHECK(!shown && all_white(first));
  STATUS(zelto_display_back(&handled, &message), ZELTO_OK, NULL);
  CHECK(!handled);
  CHECK(refund.reports == 0 && refund.released == 1);
  zelto_refund_payment_request_release(request);
  free(first);
  free(second);
}

/* Handles made on the main thread, which a second thread tries to release. */
typedef struct MainThreadHandles {
  zelto_payment_request* request;
  zelto_config* config;
} MainThreadHandles;

static int call_from_second_thread(void* data) {
  const MainThreadHandles* handles = data;
  zelto_payment_request* request = NULL;
  STATUS(zelto_payment_request_init(&request, &message), ZELTO_ERROR_WRONG_THREAD, "main thread");
  STATUS(zelto_run_loop_run_pending(&message), ZELTO_ERROR_WRONG_THREAD, "main thread");
  CHECK(zelto_payment_request_release(handles->request) == ZELTO_ERROR_WRONG_THREAD);
  CHECK(zelto_config_release(handles->config) == ZELTO_ERROR_WRONG_THREAD);
  /* Payload functions work on any thread. */
  char* digits = NULL;
  STATUS(zelto_get_crc("A", 1, &digits, &message), ZELTO_OK, NULL);
  zelto_free(digits);
  return request == NULL ? 0 : 1;
}

/* Content after the JSON value and control characters are refused by every function that takes
 * JSON, and control characters by the property setters and the refund initialiser. */
static void test_refused_text(void) {
  /* A NUL, then garbage, after the object: counted by `length`, so the NUL is part of the text. */
  static const char kAfterValue[] = "{\"merchantName\": \"ABC\"}\0garbage";
  static const char kNulInValue[] = "{\"merchantName\": \"A\\u0000B Store\"}";
  static const char kTabInTag[] = "{\"59\": \"A\\tB\"}";
  zelto_payment_request* request = NULL;
  char* payload = NULL;
  STATUS(
      zelto_payment_request_init_with_json(kAfterValue, sizeof kAfterValue - 1, &request, &message),
      ZELTO_ERROR_INVALID_JSON, "at byte 24: a NUL byte after the JSON value");
  CHECK(request == NULL);
  STATUS(zelto_payment_request_init_with_tag_value_dictionary(kAfterValue, sizeof kAfterValue - 1,
                                                              &request, &message),
         ZELTO_ERROR_INVALID_JSON, "at byte 24: a NUL byte after the JSON value");
  CHECK(request == NULL);
  STATUS(zelto_encode_dict_to_tlv(kAfterValue, sizeof kAfterValue - 1, &payload, &message),
         ZELTO_ERROR_INVALID_JSON, "at byte 24: a NUL byte after the JSON value");
  CHECK(payload == NULL);
  /* White space after the value is fine. */
  STATUS(zelto_encode_dict_to_tlv("{} \n", 4, &payload, &message), ZELTO_OK, NULL);
  zelto_free(payload);

  STATUS(zelto_payment_request_init_with_json(kNulInValue, strlen(kNulInValue), &request, &message),
         ZELTO_ERROR_INVALID_JSON, "at byte 20: a string holds U+0000");
  STATUS(zelto_payment_request_init_with_tag_value_dictionary(kTabInTag, strlen(kTabInTag),
                                                              &request, &message),
         ZELTO_ERROR_INVALID_JSON, "at byte 10: a string holds U+0009");
  STATUS(zelto_encode_dict_to_tlv(kTabInTag, strlen(kTabInTag), &payload, &message),
         ZELTO_ERROR_INVALID_JSON, "U+0009");

  STATUS(zelto_payment_request_init(&request, &message), ZELTO_OK, NULL);
  STATUS(zelto_payment_request_set_property(request, "merchantName", "ABC", &message), ZELTO_OK,
         NULL);
  STATUS(zelto_payment_request_set_property(request, "merchantName",
                                            "A\x01"
                                            "B",
                                            &message),
         ZELTO_ERROR_INVALID_ARGUMENT,
         "value of \"merchantName\": U+0001 at byte 2 is a control character");
  STATUS(zelto_payment_request_set_property(request, "billID", "\xc2\x85", &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "U+0085 at byte 1");
  char* value = NULL;
  STATUS(zelto_payment_request_property(request, "merchantName", &value, &message), ZELTO_OK, NULL);
  CHECK_TEXT(value, "ABC");
  STATUS(zelto_payment_request_release(request), ZELTO_OK, NULL);

  zelto_refund_payment_request* refund = NULL;
  STATUS(zelto_refund_payment_request_init_with_last4_card_holder_name_currency_code_refund_amount(
             "4242", "Asha\nRao", "840", "1.00", &refund, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "value of \"cardHolderName\": U+000A at byte 5");
  CHECK(refund == NULL);
  STATUS(zelto_refund_payment_request_init(&refund, &message), ZELTO_OK, NULL);
  STATUS(zelto_refund_payment_request_set_property(refund, "cardHolderName", "\x7f", &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "U+007F");
  STATUS(zelto_refund_payment_request_release(refund), ZELTO_OK, NULL);
}

static void test_misuse(void) {
  static const char kBadUtf8[] = "AB\xC3(";
  zelto_payment_request* request = NULL;
  zelto_config* config = NULL;
  char* text = NULL;
  int* codes = NULL;
  size_t count = 0;
  double amount = 0;

  /* NULL where a value or an output is needed. */
  STATUS(zelto_payment_request_init(NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "request");
  STATUS(zelto_payment_request_get_tlv(NULL, &text, &message), ZELTO_ERROR_NULL_ARGUMENT,
         "request");
  STATUS(zelto_decode_tlv(NULL, 4, &text, &message), ZELTO_ERROR_NULL_ARGUMENT, "payload");
  STATUS(zelto_tlv_validation_with_tlv_string("zz", 2, &codes, NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "count");
  STATUS(zelto_get_currency_for_text("1", NULL, NULL, &text, &amount, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "currency_code");
  STATUS(zelto_launch_refund_payment_flow_with_request_completion_handler(NULL, record_refund, NULL,
                                                                          NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "request");
  STATUS(zelto_run_loop_run_for(-1, &message), ZELTO_ERROR_INVALID_ARGUMENT, "negative");
  /* A NULL message is fine, and a text of length 0 may be NULL. */
  CHECK(zelto_decode_tlv(NULL, 0, &text, NULL) == ZELTO_INVALID);
  CHECK(zelto_payment_request_release(NULL) == ZELTO_OK);

  /* Ill-formed UTF-8 never reaches the library. */
  STATUS(zelto_decode_tlv(kBadUtf8, 4, &text, &message), ZELTO_ERROR_INVALID_UTF8, "payload");
  STATUS(zelto_encode_dict_to_tlv(kBadUtf8, 4, &text, &message), ZELTO_ERROR_INVALID_UTF8, "json");
  STATUS(zelto_get_crc(kBadUtf8, 4, &text, &message), ZELTO_ERROR_INVALID_UTF8, "text");
  STATUS(zelto_payment_request_init(&request, &message), ZELTO_OK, NULL);
  STATUS(zelto_payment_request_set_property(request, "merchantName", kBadUtf8, &message),
         ZELTO_ERROR_INVALID_UTF8, "value");
  STATUS(zelto_payment_request_set_property(request, kBadUtf8, "x", &message),
         ZELTO_ERROR_INVALID_UTF8, "name");
  STATUS(zelto_payment_request_set_property(request, "merchantNam", "x", &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "\"merchantNam\"");
  STATUS(zelto_payment_request_set_property(request, "zeltoMerchantID", NULL, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "not optional");
  static const char kNumber[] = "{\"merchantName\": 5}";
  zelto_payment_request* other = NULL;
  STATUS(zelto_payment_request_init_with_json(kNumber, strlen(kNumber), &other, &message),
         ZELTO_ERROR_INVALID_ARGUMENT, "\"merchantName\" must be a string");
  CHECK(other == NULL);

  /* Released handles, handles released twice, handles of another kind. */
  STATUS(zelto_payment_request_release(request), ZELTO_OK, NULL);
  STATUS(zelto_payment_request_release(request), ZELTO_ERROR_INVALID_HANDLE, NULL);
  STATUS(zelto_payment_request_get_tlv(request, &text, &message), ZELTO_ERROR_INVALID_HANDLE,
         "released");
  STATUS(zelto_launch_request_payment_flow_with_request_completion_handler(request, record_request,
                                                                           NULL, NULL, &message),
         ZELTO_ERROR_INVALID_HANDLE, "request");
  STATUS(zelto_config_init(&config, &message), ZELTO_OK, NULL);
  STATUS(zelto_payment_request_validate((const zelto_payment_request*)config, &message),
         ZELTO_ERROR_INVALID_HANDLE, "zelto_payment_request");
  CHECK(zelto_payment_request_release((zelto_payment_request*)config) ==
        ZELTO_ERROR_INVALID_HANDLE);
  STATUS(zelto_config_release(config), ZELTO_OK, NULL);
  CHECK(text == NULL && codes == NULL && count == 0);

  /* A second thread can neither make nor release what belongs to the main thread: the handles
   * it tried to release still work here. */
  MainThreadHandles handles = {NULL, NULL};
  STATUS(zelto_payment_request_init(&handles.request, &message), ZELTO_OK, NULL);
  STATUS(zelto_config_init(&handles.config, &message), ZELTO_OK, NULL);
  thrd_t thread;
  int result = 1;
  CHECK(thrd_create(&thread, call_from_second_thread, &handles) == thrd_success);
  CHECK(thrd_join(thread, &result) == thrd_success && result == 0);
  STATUS(zelto_payment_request_get_tlv(handles.request, &text, &message), ZELTO_OK, NULL);
  CHECK_TEXT(text, "0002016304AAE6");
  text = NULL;
  CHECK(zelto_payment_request_release(handles.request) == ZELTO_OK);
  CHECK(zelto_config_release(handles.config) == ZELTO_OK);
}

/* A NULL output is refused before any work, so nothing is made that no one could free (the
 * sanitizer build's leak checker fails this test otherwise). */
static void test_null_outputs(void) {
  static const char kTags[] = "{\"00\": \"01\", \"59\": \"ABC\"}";
  zelto_payment_request* request = NULL;
  zelto_config* config = NULL;
  char* text = NULL;
  int* codes = NULL;
  size_t count = 0;
  double amount = 0;
  bool flag = false;
  STATUS(zelto_payment_request_init(&request, &message), ZELTO_OK, NULL);
  STATUS(zelto_config_init(&config, &message), ZELTO_OK, NULL);

  STATUS(zelto_payment_request_init_with_json(kTags, strlen(kTags), NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "request");
  STATUS(zelto_payment_request_init_with_tag_value_dictionary(kTags, strlen(kTags), NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "request");
  STATUS(zelto_payment_request_get_tlv(request, NULL, &message), ZELTO_ERROR_NULL_ARGUMENT,
         "payload");
  STATUS(zelto_payment_request_property(request, "merchantName", NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "value");
  STATUS(zelto_encode_dict_to_tlv(kTags, strlen(kTags), NULL, &message), ZELTO_ERROR_NULL_ARGUMENT,
         "payload");
  STATUS(zelto_get_crc("A", 1, NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "digits");
  STATUS(zelto_decode_tlv(kDemoPayload, strlen(kDemoPayload), NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "json");
  STATUS(zelto_tlv_validation_with_tlv_string("zz", 2, NULL, &count, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "codes");
  STATUS(zelto_refund_payment_request_init(NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "request");
  STATUS(zelto_refund_payment_request_init_with_last4_card_holder_name_currency_code_refund_amount(
             "4242", "A", "840", "1.00", NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "request");
  STATUS(zelto_get_currency_for_text("12", "840", "en_US", NULL, &amount, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "display");
  STATUS(zelto_get_currency_for_text("12", "840", "en_US", &text, NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "amount");
  STATUS(zelto_format_amount(1, "840", "en_US", NULL, &message), ZELTO_ERROR_NULL_ARGUMENT,
         "display");
  STATUS(zelto_plain_decimal_string("$1.00", "840", "en_US", NULL, &message),
         ZELTO_ERROR_NULL_ARGUMENT, "decimal");
  STATUS(zelto_config_init(NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "config");
  STATUS(zelto_config_deep_copy(config, NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "copy");
  STATUS(zelto_config_show_wait_screen(config, NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "value");
  STATUS(zelto_color_from_hex("#000000", NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "color");
  STATUS(zelto_session_active_session_type(NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "flow");
  STATUS(zelto_run_loop_now(NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "now");
  STATUS(zelto_run_loop_next_timer_time(&amount, NULL, &message), ZELTO_ERROR_NULL_ARGUMENT,
         "scheduled");
  STATUS(zelto_display_back(NULL, &message), ZELTO_ERROR_NULL_ARGUMENT, "handled");
  CHECK(text == NULL && codes == NULL && !flag);

  CHECK(zelto_payment_request_release(request) == ZELTO_OK);
  CHECK(zelto_config_release(config) == ZELTO_OK);
}

/* Every status has a name of its own. */
static void test_status_names(void) {
  const char* names[ZELTO_ERROR_INTERNAL + 1];
  for (int status = ZELTO_OK; status <= ZELTO_ERROR_INTERNAL; ++status) {
    names[status] = zelto_status_name((zelto_status)status);
    CHECK(strncmp(names[status], "ZELTO_", 6) == 0);
    CHECK(strcmp(names[status], "ZELTO_UNKNOWN_STATUS") != 0);
    for (int other = ZELTO_OK; other < status; ++other) CHECK(strcmp(names[other], names[status]));
  }
  CHECK(strcmp(zelto_status_name(ZELTO_ERROR_INVALID_UTF8), "ZELTO_ERROR_INVALID_UTF8") == 0);
  CHECK(strcmp(zelto_status_name((zelto_status)(ZELTO_ERROR_INTERNAL + 1)),
               "ZELTO_UNKNOWN_STATUS") == 0);
  CHECK(strcmp(zelto_status_name((zelto_status)-1), "ZELTO_UNKNOWN_STATUS") == 0);
}

int main(void) {
  /* The first call that needs the main thread makes this one the main thread. */
  STATUS(zelto_run_loop_set_clock(ZELTO_CLOCK_MANUAL, &message), ZELTO_OK, NULL);
  CHECK(ZeltoMerchantSDKVersionNumber == 1.0);
  test_status_names();
  test_payloads();
  test_decode_and_validate();
  test_checks();
  test_amounts();
  test_config();
  test_flows();
  test_display();
  test_refused_text();
  test_misuse();
  test_null_outputs();
  if (failures) fprintf(stderr, "%d checks failed\n", failures);
  return failures ? 1 : 0;
}
