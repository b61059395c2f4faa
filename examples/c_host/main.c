/* A host application in C: runs one request-payment flow, then decodes and validates the
 * flow's QR payload. Every call returns a status; on failure `message` says what is wrong. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zelto/zelto.h>

static int failed(zelto_status status, char* message) {
  if (status == ZELTO_OK) return 0;
  fprintf(stderr, "%s: %s\n", zelto_status_name(status), message ? message : "");
  zelto_free(message);
  return 1;
}

static void on_result(void* user_data, bool success, const zelto_request_payment_response* response,
                      const zelto_error* error) {
  (void)response;
  char* description = NULL;
  if (!success && zelto_error_description(error, &description, NULL) == ZELTO_OK) {
    fprintf(stderr, "request refused: %s", description);
  }
  zelto_free(description);
  *(int*)user_data = success ? 0 : 1;
}

static void on_end(void* user_data) { *(int*)user_data = 1; }

int main(void) {
  static const char kRequest[] =
      "{\"pointOfInitiation\": \"11\", \"zeltoMerchantID\": \"4111111111111111\", "
      "\"merchantName\": \"Example Store\", \"merchantCategoryCode\": \"5411\", "
      "\"cityName\": \"Mumbai\", \"countryCode\": \"IN\", \"currencyCode\": \"356\", "
      "\"tipAmount\": \"\", \"tipPercentage\": \"\", \"transactionAmount\": \"99.50\"}";
  zelto_payment_request* request = NULL;
  char* message = NULL;
  if (failed(zelto_payment_request_init_with_json(kRequest, strlen(kRequest), &request, &message),
             message)) {
    return 1;
  }

  int refused = 0;
  int ended = 0;
  char* payload = NULL;
  if (failed(zelto_launch_request_payment_flow_with_request_completion_handler(
                 request, on_result, &refused, NULL, &message),
             message) ||
      refused) {
    return 1;
  }
  /* The library's timers and animations run on its main run loop; with the default manual
   * clock the window's slide completes at once. */
  zelto_run_loop_run_for(1, NULL);
  if (failed(zelto_payment_request_get_tlv(request, &payload, &message), message)) return 1;
  printf("QR payload: %s\n", payload);
  zelto_end_zelto_flow(on_end, &ended, NULL);
  zelto_run_loop_run_for(1, NULL);
  printf("Flow ended: %s\n", ended ? "yes" : "no");
  zelto_payment_request_release(request);

  char* fields = NULL;
  int* codes = NULL;
  size_t count = 0;
  if (failed(zelto_decode_tlv(payload, strlen(payload), &fields, &message), message)) return 1;
  printf("Decoded: %s\n", fields);
  zelto_status status =
      zelto_tlv_validation_with_tlv_string(payload, strlen(payload), &codes, &count, &message);
  printf("Validation: %s, %zu QR error codes\n", zelto_status_name(status), count);
  zelto_free(message);
  zelto_free(codes);
  zelto_free(fields);
  zelto_free(payload);
  return ended && status == ZELTO_OK ? 0 : 1;
}
