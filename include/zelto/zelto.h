/* The C interface of ZeltoMerchantSDK: payment requests and their QR payloads, payload decoding
 * and validation, refund requests, amount entry and formatting, the request-payment and refund
 * flows, and the display hooks that let a host toolkit show and drive their screens. Plain C11;
 * usable from C++ and from any language that can call C (Python ctypes, Swift, JNI, cgo).
 *
 * What a host may rely on:
 * - ABI: handles are opaque pointers and no structure changes its layout; functions are only
 *   ever added. Enumeration values never change.
 * - Texts: every text is UTF-8. Payloads and JSON documents are passed with an explicit length
 *   in bytes; every other text (names, codes, values, locales) is NUL-terminated. Ill-formed
 *   UTF-8 is refused with ZELTO_ERROR_INVALID_UTF8 and never reaches the library.
 * - JSON documents hold one JSON value and white space around it: anything else after the value,
 *   a NUL byte included, is refused (ZELTO_ERROR_INVALID_JSON, naming the byte). No string in
 *   them, and no value given to a property setter or refund initialiser, may hold a control
 *   character (U+0000 to U+001F, U+007F to U+009F): a QR payload never carries one
 *   (ZELTO_ERROR_INVALID_JSON for JSON, ZELTO_ERROR_INVALID_ARGUMENT for the others).
 * - Results: every function that can fail returns a zelto_status. Texts the library hands back
 *   (char** outputs) are NUL-terminated UTF-8, allocated by the library and freed by the caller
 *   with zelto_free; so is the int array of zelto_tlv_validation_with_tlv_string. On a status
 *   other than ZELTO_OK the outputs other than `message` are left NULL (or untouched for plain
 *   values).
 * - Messages: the last argument `message` may be NULL. Otherwise it receives NULL on ZELTO_OK,
 *   and on any other status a text saying what is wrong (the check's own messages for
 *   ZELTO_INVALID), to be freed with zelto_free.
 * - Misuse gives a status, never a crash: a NULL pointer where a value is needed
 *   (ZELTO_ERROR_NULL_ARGUMENT), a handle of the wrong kind, already released, or passed
 *   outside the callback that lent it (ZELTO_ERROR_INVALID_HANDLE: the library keeps a list of
 *   its live handles and looks a handle up before touching it). A handle released twice is
 *   reported the same way. An address that is reused for a new handle after a release cannot
 *   be told apart from that new handle.
 * - No C++ exception ever leaves a function of this interface.
 *
 * Threads: the functions that take no payment request, configuration or flow (dictionary
 * encoding, CRC, decoding, validation, refund requests, amounts) may be called from any thread,
 * each handle by one thread at a time. Payment requests share the session with the flows, so
 * they, the configuration, the flow, the run-loop and the display functions belong to the main
 * thread: the first thread that calls one of them becomes the main thread, and a call from any
 * other thread returns ZELTO_ERROR_WRONG_THREAD. Callbacks run on the main thread.
 *
 * The library makes no network requests. */
#ifndef ZELTO_ZELTO_H_
#define ZELTO_ZELTO_H_

#include <stdbool.h>
#include <stddef.h>
#include <zelto/export.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status, memory, version ---------------------------------------------------------------*/

typedef enum zelto_status {
  ZELTO_OK = 0,
  /* The input was read and breaks a rule of the library: an invalid request, a payload that
   * does not decode or fails validation. `message` holds the rule's messages or codes. */
  ZELTO_INVALID = 1,
  ZELTO_ERROR_NULL_ARGUMENT = 2,
  ZELTO_ERROR_INVALID_UTF8 = 3,
  ZELTO_ERROR_INVALID_JSON = 4,
  /* A value out of range, of the wrong JSON type, an unknown name, currency or locale. */
  ZELTO_ERROR_INVALID_ARGUMENT = 5,
  ZELTO_ERROR_INVALID_HANDLE = 6,
  ZELTO_ERROR_WRONG_THREAD = 7,
  ZELTO_ERROR_OUT_OF_MEMORY = 8,
  ZELTO_ERROR_INTERNAL = 9
} zelto_status;

/* "ZELTO_OK", "ZELTO_INVALID", ...; "ZELTO_UNKNOWN_STATUS" for any other value. Static text:
 * never freed. */
ZELTO_EXPORT const char* zelto_status_name(zelto_status status);

/* Frees a text or array the library returned. NULL is accepted. */
ZELTO_EXPORT void zelto_free(void* pointer);

/* 1.0 */
ZELTO_EXPORT extern const double ZeltoMerchantSDKVersionNumber;
/* "@(#)PROGRAM:ZeltoMerchantSDK  PROJECT:ZeltoSDK-1\n" */
ZELTO_EXPORT extern const unsigned char ZeltoMerchantSDKVersionString[];

/* ---- Payment requests and their payloads ---------------------------------------------------*/

typedef struct zelto_payment_request zelto_payment_request;

/* A request with every property at its default: payloadFormatIndicator "01",
 * pointOfInitiation and postalCode "", the other text properties "", the optional ones
 * absent. Its payload is "0002016304AAE6". Release it with zelto_payment_request_release. */
ZELTO_EXPORT zelto_status zelto_payment_request_init(zelto_payment_request** request,
                                                     char** message);

/* A request from a JSON object whose members are request properties (names as for
 * zelto_payment_request_set_property) with string values, or null for absent; properties not
 * named keep their defaults. {"merchantName": "ABC Store", "transactionAmount": "10.00"}.
 * ZELTO_ERROR_INVALID_ARGUMENT names the first unknown property or value of the wrong type. */
ZELTO_EXPORT zelto_status zelto_payment_request_init_with_json(const char* json, size_t length,
                                                               zelto_payment_request** request,
                                                               char** message);

/* A request in tag-dictionary mode, from a JSON object of tags ("59") or tag property names
 * ("merchantName") to strings, nested objects being templates ({"26": {"00": "..."}}). The
 * dictionary is encoded at once into the request's base payload and checked by the payload
 * validator; zelto_payment_request_validate reports what that check found. The mode belongs
 * to the session, as for requests made in C++: it lasts until the next flow ends. */
ZELTO_EXPORT zelto_status zelto_payment_request_init_with_tag_value_dictionary(
    const char* json, size_t length, zelto_payment_request** request, char** message);

/* Releases the request. NULL is accepted; a flow that holds the request keeps it alive until
 * the flow ends. ZELTO_ERROR_INVALID_HANDLE when it was released already. */
ZELTO_EXPORT zelto_status zelto_payment_request_release(zelto_payment_request* request);

/* Sets one of the 25 properties by name: payloadFormatIndicator, pointOfInitiation,
 * zeltoMerchantID, merchantName, merchantCategoryCode, cityName, countryCode, currencyCode,
 * tipIndicator, tipAmount, tipPercentage, postalCode, mastercardPan1, mastercardPan2, npciid1,
 * npciid2, transactionAmount, billID, mobileNumber, storeID, loyaltyNumber, referenceID,
 * consumerID, terminalID, purpose. A NULL value makes an optional property absent; the
 * others (payloadFormatIndicator, zeltoMerchantID, ...) refuse it. */
ZELTO_EXPORT zelto_status zelto_payment_request_set_property(zelto_payment_request* request,
                                                             const char* name, const char* value,
                                                             char** message);

/* The property `name`; *value is NULL when the property is absent. */
ZELTO_EXPORT zelto_status zelto_payment_request_property(const zelto_payment_request* request,
                                                         const char* name, char** value,
                                                         char** message);

/* ZELTO_OK when the request passes every check; ZELTO_INVALID otherwise, with `message`
 * holding the first failing rule's message followed by "\n" (in tag-dictionary mode, when the
 * fields pass, the payload validator's QR error codes, each followed by "\n"). */
ZELTO_EXPORT zelto_status zelto_payment_request_validate(const zelto_payment_request* request,
                                                         char** message);

/* The request's QR payload text, closed by its CRC object ("...6304XXXX"). */
ZELTO_EXPORT zelto_status zelto_payment_request_get_tlv(const zelto_payment_request* request,
                                                        char** payload, char** message);

/* The QR payload of a tag dictionary given as JSON (as for
 * zelto_payment_request_init_with_tag_value_dictionary): "00" first, then the entries in
 * their JSON order, then the CRC object. Encoding checks nothing: validate the result. */
ZELTO_EXPORT zelto_status zelto_encode_dict_to_tlv(const char* json, size_t length, char** payload,
                                                   char** message);

/* The four upper-case hexadecimal digits of the payload checksum (CRC-16/CCITT-FALSE) of the
 * `length` bytes at `text`; "29B1" for "123456789". A payload's checksum covers its text up to
 * and including "6304". */
ZELTO_EXPORT zelto_status zelto_get_crc(const char* text, size_t length, char** digits,
                                        char** message);

/* ---- Print-ready codes ---------------------------------------------------------------------*/

typedef enum zelto_document_format {
  ZELTO_DOCUMENT_PNG = 0,
  ZELTO_DOCUMENT_SVG = 1,
  ZELTO_DOCUMENT_PDF = 2
} zelto_document_format;

typedef enum zelto_paper_size {
  ZELTO_PAPER_A6 = 0,
  ZELTO_PAPER_A5 = 1,
  ZELTO_PAPER_A4 = 2
} zelto_paper_size;

/* The QR symbol of the `length` bytes at `payload` alone (byte mode, error correction M, a
 * quiet zone of 4 modules on every side) as a whole file in *bytes (*size bytes, freed with
 * zelto_free): `module_size` (1 to 100) pixels a module in PNG, points a module in SVG and PDF,
 * on an exact grid. A payload of more than 2331 bytes, or a module size out of range, is
 * ZELTO_ERROR_INVALID_ARGUMENT. Any thread. */
ZELTO_EXPORT zelto_status zelto_render_qr(const char* payload, size_t length,
                                          zelto_document_format format, int module_size,
                                          unsigned char** bytes, size_t* size, char** message);

/* A print-ready counter-stand card for the request (main thread): "Scan to pay", the merchant's
 * name and city, the code (at least 60 mm wide on A6), the amount when set, the network logos
 * and a hint, as a PDF (fonts embedded) or SVG document of the paper size. ZELTO_INVALID with
 * the check's messages when the request fails its checks; a PNG format is
 * ZELTO_ERROR_INVALID_ARGUMENT. */
ZELTO_EXPORT zelto_status zelto_render_poster(const zelto_payment_request* request,
                                              zelto_document_format format, zelto_paper_size paper,
                                              unsigned char** bytes, size_t* size, char** message);

/* ---- Decoding and validating payloads ------------------------------------------------------*/

/* The fields of a merchant QR payload as a JSON object: "isTipAvailable" first, then each
 * field the payload sets under its property name ("merchantName", "zeltoMerchantPAN", ...),
 * templates as nested objects. ZELTO_INVALID when the text does not decode, `message` naming
 * the reason: "invalidLength", "invalidTagLength", "repeatedTag" or "invalidTag". */
ZELTO_EXPORT zelto_status zelto_decode_tlv(const char* payload, size_t length, char** json,
                                           char** message);

/* Checks a merchant QR payload rule by rule. ZELTO_OK with *count 0 and *codes NULL when every
 * rule holds; ZELTO_INVALID with the QR error codes (0 to 55) in the order found, each once,
 * in *codes (freed with zelto_free) and *count, and `message` holding them, each followed by
 * "\n". A payload that does not decode gives the code 0 alone; a wrong checksum gives 48. */
ZELTO_EXPORT zelto_status zelto_tlv_validation_with_tlv_string(const char* payload, size_t length,
                                                               int** codes, size_t* count,
                                                               char** message);

/* ---- Refund requests -----------------------------------------------------------------------*/

typedef struct zelto_refund_payment_request zelto_refund_payment_request;

/* last4, cardHolderName and refundAmount "", currencyCode "356". */
ZELTO_EXPORT zelto_status zelto_refund_payment_request_init(zelto_refund_payment_request** request,
                                                            char** message);
/* The four texts as given; nothing is checked until zelto_refund_payment_request_validate. */
ZELTO_EXPORT zelto_status
zelto_refund_payment_request_init_with_last4_card_holder_name_currency_code_refund_amount(
    const char* last4, const char* card_holder_name, const char* currency_code,
    const char* refund_amount, zelto_refund_payment_request** request, char** message);
ZELTO_EXPORT zelto_status
zelto_refund_payment_request_release(zelto_refund_payment_request* request);

/* Sets or reads "last4", "cardHolderName", "currencyCode" or "refundAmount". */
ZELTO_EXPORT zelto_status zelto_refund_payment_request_set_property(
    zelto_refund_payment_request* request, const char* name, const char* value, char** message);
ZELTO_EXPORT zelto_status zelto_refund_payment_request_property(
    const zelto_refund_payment_request* request, const char* name, char** value, char** message);

/* ZELTO_OK when valid; ZELTO_INVALID with the first failing rule's message and "\n". */
ZELTO_EXPORT zelto_status
zelto_refund_payment_request_validate(const zelto_refund_payment_request* request, char** message);

/* ---- Amounts -------------------------------------------------------------------------------*/

/* Amounts are shown in the currency of a flow, given as its ISO 4217 three-digit numeric code
 * ("840", "036"), and with the separators of `locale` ("de_DE", "en-IN"); a NULL locale means
 * the device's (LC_ALL, LC_MONETARY or LANG). An unknown currency code or locale is
 * ZELTO_ERROR_INVALID_ARGUMENT. */

/* Digit-by-digit entry: the digits of `typed` (every other character is ignored) read as minor
 * units. Typing 1, 2, 3, 4 in "840" shows "$0.01", "$0.12", "$1.23", "$12.34": pass the text
 * shown so far plus the new digit, or minus its last character for a deletion. A NULL `typed`
 * reads as no digits. *display is the text to show, *amount its value (12.34). */
ZELTO_EXPORT zelto_status zelto_get_currency_for_text(const char* typed, const char* currency_code,
                                                      const char* locale, char** display,
                                                      double* amount, char** message);

/* `amount` as the flow shows it ("$1,234.50"). A non-finite amount is
 * ZELTO_ERROR_INVALID_ARGUMENT. */
ZELTO_EXPORT zelto_status zelto_format_amount(double amount, const char* currency_code,
                                              const char* locale, char** display, char** message);

/* A shown amount as a plain decimal string with "." ("1.234,56 €" in de_DE gives "1234.56"),
 * the form of payment request fields. */
ZELTO_EXPORT zelto_status zelto_plain_decimal_string(const char* display, const char* currency_code,
                                                     const char* locale, char** decimal,
                                                     char** message);

/* ---- Configuration (main thread) -----------------------------------------------------------*/

typedef struct zelto_config zelto_config;

/* A colour; each component from 0 to 1. */
typedef struct zelto_color {
  double red;
  double green;
  double blue;
  double alpha;
} zelto_color;

/* The library's hex rule: "#15195A" (trimmed, either case, "#" optional) gives its colour with
 * alpha 1; anything but six hexadecimal digits gives grey (0.5, 0.5, 0.5, 1). */
ZELTO_EXPORT zelto_status zelto_color_from_hex(const char* hex, zelto_color* color, char** message);

/* A configuration with the defaults: timeouts 180 seconds, showWaitScreen true, background
 * "#15195A", font "#FFFFFF", action button "#003EA9" and "#1869D6" when highlighted, its
 * title "#FFFFFF"; the two text-field colours follow the background until set. */
ZELTO_EXPORT zelto_status zelto_config_init(zelto_config** config, char** message);
ZELTO_EXPORT zelto_status zelto_config_deep_copy(const zelto_config* config, zelto_config** copy,
                                                 char** message);
ZELTO_EXPORT zelto_status zelto_config_release(zelto_config* config);

/* Field accessors, named after the fields: zelto_config_X reads, zelto_config_set_X writes.
 * A timeout below 1 second becomes 180 (and the debug console says "Time out seconds cannot
 * be negative"); isTLVValidationRequiredForP2M stays false whatever is set. A colour with a
 * component outside 0 to 1 (or NaN) is ZELTO_ERROR_INVALID_ARGUMENT. */
ZELTO_EXPORT zelto_status zelto_config_is_first_time_tutorial_enabled_for_p2m(
    const zelto_config* config, bool* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_is_first_time_tutorial_enabled_for_p2m(
    zelto_config* config, bool value, char** message);
ZELTO_EXPORT zelto_status zelto_config_is_tlv_validation_required_for_p2m(
    const zelto_config* config, bool* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_is_tlv_validation_required_for_p2m(zelto_config* config,
                                                                              bool value,
                                                                              char** message);
ZELTO_EXPORT zelto_status zelto_config_show_wait_screen(const zelto_config* config, bool* value,
                                                        char** message);
ZELTO_EXPORT zelto_status zelto_config_set_show_wait_screen(zelto_config* config, bool value,
                                                            char** message);
ZELTO_EXPORT zelto_status zelto_config_paymerchant_time_out_in_seconds(const zelto_config* config,
                                                                       int* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_paymerchant_time_out_in_seconds(zelto_config* config,
                                                                           int value,
                                                                           char** message);
ZELTO_EXPORT zelto_status zelto_config_withdraw_cash_time_out_in_seconds(const zelto_config* config,
                                                                         int* value,
                                                                         char** message);
ZELTO_EXPORT zelto_status zelto_config_set_withdraw_cash_time_out_in_seconds(zelto_config* config,
                                                                             int value,
                                                                             char** message);
ZELTO_EXPORT zelto_status zelto_config_background_color(const zelto_config* config,
                                                        zelto_color* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_background_color(zelto_config* config, zelto_color value,
                                                            char** message);
ZELTO_EXPORT zelto_status zelto_config_text_field_status_color(const zelto_config* config,
                                                               zelto_color* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_text_field_status_color(zelto_config* config,
                                                                   zelto_color value,
                                                                   char** message);
ZELTO_EXPORT zelto_status zelto_config_text_caret_color(const zelto_config* config,
                                                        zelto_color* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_text_caret_color(zelto_config* config, zelto_color value,
                                                            char** message);
ZELTO_EXPORT zelto_status zelto_config_font_color(const zelto_config* config, zelto_color* value,
                                                  char** message);
ZELTO_EXPORT zelto_status zelto_config_set_font_color(zelto_config* config, zelto_color value,
                                                      char** message);
ZELTO_EXPORT zelto_status zelto_config_action_button_color(const zelto_config* config,
                                                           zelto_color* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_action_button_color(zelto_config* config,
                                                               zelto_color value, char** message);
ZELTO_EXPORT zelto_status zelto_config_action_button_active_color(const zelto_config* config,
                                                                  zelto_color* value,
                                                                  char** message);
ZELTO_EXPORT zelto_status zelto_config_set_action_button_active_color(zelto_config* config,
                                                                      zelto_color value,
                                                                      char** message);
ZELTO_EXPORT zelto_status zelto_config_action_button_font_color(const zelto_config* config,
                                                                zelto_color* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_action_button_font_color(zelto_config* config,
                                                                    zelto_color value,
                                                                    char** message);
ZELTO_EXPORT zelto_status zelto_config_is_first_time_tutorial_enabled_for_p2p(
    const zelto_config* config, bool* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_is_first_time_tutorial_enabled_for_p2p(
    zelto_config* config, bool value, char** message);
ZELTO_EXPORT zelto_status zelto_config_pay_friend_timeout_in_seconds(const zelto_config* config,
                                                                     int* value, char** message);
ZELTO_EXPORT zelto_status zelto_config_set_pay_friend_timeout_in_seconds(zelto_config* config,
                                                                         int value, char** message);

/* Images are PNG files given as their bytes, with `scale` pixels a point (above 0 and finite: 2
 * for an "@2x" picture). Bytes that are not a PNG are ZELTO_ERROR_INVALID_ARGUMENT. A picture
 * is read back as the bytes given (freed with zelto_free). */

/* The back-button image of the screens' navigation bars. */
ZELTO_EXPORT zelto_status zelto_config_issuer_back_button(const zelto_config* config,
                                                          unsigned char** png, size_t* size,
                                                          char** message);
ZELTO_EXPORT zelto_status zelto_config_set_issuer_back_button(zelto_config* config,
                                                              const unsigned char* png, size_t size,
                                                              double scale, char** message);

/* The network logos the QR screen shows after the library's own, in order: one row of up to
 * six, with a "more" button from the seventh on. Absent until set (*present false, *count 0). */
ZELTO_EXPORT zelto_status zelto_config_supported_network_image_count(const zelto_config* config,
                                                                     size_t* count, bool* present,
                                                                     char** message);
ZELTO_EXPORT zelto_status zelto_config_supported_network_image_at(const zelto_config* config,
                                                                  size_t index, unsigned char** png,
                                                                  size_t* size, char** message);
/* Sets the logos to the `count` pictures pngs[i] of sizes[i] bytes, each `scale` pixels a point;
 * NULL `pngs` (with `count` 0) makes the list absent. Nothing changes when any picture is
 * refused. */
ZELTO_EXPORT zelto_status zelto_config_set_supported_network_image(zelto_config* config,
                                                                   const unsigned char* const* pngs,
                                                                   const size_t* sizes,
                                                                   size_t count, double scale,
                                                                   char** message);

/* ---- Flows (main thread) -------------------------------------------------------------------*/

/* Lent to callbacks: valid only during the call that passes them (afterwards
 * ZELTO_ERROR_INVALID_HANDLE). */
typedef struct zelto_error zelto_error;
typedef struct zelto_request_payment_response zelto_request_payment_response;
typedef struct zelto_refund_payment_response zelto_refund_payment_response;

/* The codes of an error: one message per failed request check, or QR error codes. */
ZELTO_EXPORT zelto_status zelto_error_code_count(const zelto_error* error, size_t* count,
                                                 char** message);
ZELTO_EXPORT zelto_status zelto_error_code_at(const zelto_error* error, size_t index, char** code,
                                              char** message);
/* Every code followed by "\n". */
ZELTO_EXPORT zelto_status zelto_error_description(const zelto_error* error, char** description,
                                                  char** message);
/* The refunded amount as a plain decimal string. */
ZELTO_EXPORT zelto_status zelto_refund_payment_response_refund_amount(
    const zelto_refund_payment_response* response, char** amount, char** message);

/* A flow's result: success, and a response or an error (each NULL when absent). */
typedef void (*zelto_request_payment_result)(void* user_data, bool success,
                                             const zelto_request_payment_response* response,
                                             const zelto_error* error);
typedef void (*zelto_refund_payment_result)(void* user_data, bool success,
                                            const zelto_refund_payment_response* response,
                                            const zelto_error* error);
/* Called once when the library lets go of `user_data` (may be NULL). */
typedef void (*zelto_release_function)(void* user_data);

/* Launching a flow. The request is checked first; an invalid request is reported at once,
 * inside the call, as (false, NULL, error), and nothing is shown. A valid request is kept
 * (the screens' edits are seen through the host's handle), the flow becomes active and its
 * first screen slides up in the library's window; the refund flow starts a 180-second idle
 * timer. The refund flow reports (true, response, NULL) once the merchant confirms; the
 * request-payment flow reports no result. Leaving the first screen and an idle timeout end a
 * flow without a report.
 *
 * The completion-handler forms store the handler and drop any delegate of that flow; the
 * delegate forms store the delegate and leave a stored handler in place, which is called
 * instead of the delegate until the flow ends. Either way `release(user_data)` is called once
 * the library drops the callback: when the flow ends, when a later launch replaces it, or
 * right after reporting an invalid request.
 *
 * ZELTO_OK means the launch ran (its result, even a refusal, goes to the callback). Any other
 * status means nothing was launched, called or kept: `release` is not called. */
ZELTO_EXPORT zelto_status zelto_launch_request_payment_flow_with_request_completion_handler(
    zelto_payment_request* request, zelto_request_payment_result completion_handler,
    void* user_data, zelto_release_function release, char** message);
ZELTO_EXPORT zelto_status zelto_launch_request_payment_flow_with_request_delegate(
    zelto_payment_request* request,
    zelto_request_payment_result request_payment_flow_did_finish_with_response_with_error,
    void* delegate, zelto_release_function release, char** message);
ZELTO_EXPORT zelto_status zelto_launch_refund_payment_flow_with_request_completion_handler(
    zelto_refund_payment_request* request, zelto_refund_payment_result completion_handler,
    void* user_data, zelto_release_function release, char** message);
/* The delegate form of the refund launch; its name is spelled "paymnet". */
ZELTO_EXPORT zelto_status zelto_launch_refund_paymnet_flow_with_request_delegate(
    zelto_refund_payment_request* request,
    zelto_refund_payment_result refund_payment_flow_did_finish_with_response_with_error,
    void* delegate, zelto_release_function release, char** message);

/* Keeps a copy of `config`. While a flow is active the configuration is ignored (the debug
 * console says "Error: Cannot set configuration during SDK Flow") and ZELTO_OK is returned. */
ZELTO_EXPORT zelto_status zelto_setup_one_time_configuration(const zelto_config* config,
                                                             char** message);

/* Ends the flow on screen: stored callbacks are dropped at once (none is called afterwards),
 * the window slides away, then `completion(user_data)` runs from the run loop. `completion` may
 * be NULL. Safe with no flow on screen (before any flow, a second time, after the back button
 * or an idle timeout ended it, after a refused launch): the stored callbacks are dropped and
 * `completion` is never run, as there is nothing to slide away. Ask
 * zelto_session_active_session_type whether a flow is on screen. */
ZELTO_EXPORT zelto_status zelto_end_zelto_flow(void (*completion)(void* user_data), void* user_data,
                                               char** message);

/* The language of the screens for the whole process (set it before a flow): "en", "ar", "hi",
 * "id", "th", "vi", "pt-BR", "es", "fr", "zh-Hans", a locale near one ("pt_BR", "es_MX"), or
 * the pseudo-languages "en-XA" and "ar-XB"; NULL goes back to the device's (LC_ALL,
 * LC_MESSAGES, LANG). A language without a table is ZELTO_ERROR_INVALID_ARGUMENT. */
ZELTO_EXPORT zelto_status zelto_set_language(const char* language, char** message);
/* The language in use, one of the codes above. */
ZELTO_EXPORT zelto_status zelto_language(char** language, char** message);

typedef enum zelto_active_flow {
  ZELTO_ACTIVE_FLOW_NONE = 0,
  ZELTO_ACTIVE_FLOW_PAY_MERCHANT = 1,
  ZELTO_ACTIVE_FLOW_PAY_MERCHANT_ALIAS = 2,
  ZELTO_ACTIVE_FLOW_PAY_FRIEND = 3,
  ZELTO_ACTIVE_FLOW_WITHDRAW_CASH = 4,
  ZELTO_ACTIVE_FLOW_REFUND_PAYMENT = 5,
  ZELTO_ACTIVE_FLOW_REQUEST_PAYMENT = 6,
  ZELTO_ACTIVE_FLOW_ALIAS_PAY_FRIEND = 7
} zelto_active_flow;

/* The flow the session has active. */
ZELTO_EXPORT zelto_status zelto_session_active_session_type(zelto_active_flow* flow,
                                                            char** message);

/* ---- Run loop and clock (main thread) ------------------------------------------------------*/

/* The library's timers and animations run on its main run loop, which the host turns. Time is
 * read from the run loop's clock: the manual clock (the default) moves only in
 * zelto_run_loop_run_for, which lets the time pass at once; the system clock follows real
 * time, and zelto_run_loop_run_for sleeps. A host toolkit calls zelto_run_loop_run_pending at
 * every turn of its own loop and wakes up by zelto_run_loop_next_timer_time. A new clock
 * carries on from the time of the one it replaces. */
typedef enum zelto_clock { ZELTO_CLOCK_MANUAL = 0, ZELTO_CLOCK_SYSTEM = 1 } zelto_clock;

ZELTO_EXPORT zelto_status zelto_run_loop_set_clock(zelto_clock clock, char** message);
/* Seconds on the run loop's clock. */
ZELTO_EXPORT zelto_status zelto_run_loop_now(double* now, char** message);
/* Runs queued tasks and due timers until none is left, without letting time pass. */
ZELTO_EXPORT zelto_status zelto_run_loop_run_pending(char** message);
/* Lets `seconds` (finite, not negative) pass, firing each timer at its time. */
ZELTO_EXPORT zelto_status zelto_run_loop_run_for(double seconds, char** message);
/* The clock time of the earliest timer; *scheduled is false (and *time untouched) when none. */
ZELTO_EXPORT zelto_status zelto_run_loop_next_timer_time(double* time, bool* scheduled,
                                                         char** message);

/* ---- Display: showing and driving the screens (main thread) -------------------------------*/

/* A host toolkit shows the library's window itself: it draws the window into its own pixels
 * after each turn of the run loop and passes the user's input on. Positions are in points of
 * the window, whose top-left corner is (0, 0); the window is as large as the screen. */

/* Gives the screen, and so the library's window, `width` by `height` points (each finite and at
 * least 1; 390 by 844 until set). Set it before the first flow is launched: the window takes
 * the size the screen has when it is made. */
ZELTO_EXPORT zelto_status zelto_display_set_screen_size(double width, double height,
                                                        char** message);

/* Draws what the library's window shows now, the flow's screen with the screens and dialogs
 * over it, on white, into `pixels`: `width` by `height` pixels (each from 1 to 32767) of 4 bytes
 * in the order red, green, blue, alpha, alpha always 255, rows `stride` bytes apart (a multiple
 * of 4, at least 4 * width), `scale` pixels a point (from 0.01 to 32). Other sizes and scales
 * are ZELTO_ERROR_INVALID_ARGUMENT, naming the limit, and nothing is drawn. The window's top-left
 * corner is the buffer's; pixels beyond the window are white. While no flow is on screen the
 * buffer is all white and *shown false. */
ZELTO_EXPORT zelto_status zelto_display_draw(unsigned char* pixels, int width, int height,
                                             int stride, double scale, bool* shown, char** message);

typedef enum zelto_pixel_format {
  /* 4 bytes a pixel: red, green, blue, alpha (zelto_display_draw's). */
  ZELTO_PIXELS_RGBA = 0,
  /* One 32-bit word a pixel, alpha in the high byte, then red, green, blue, in the machine's
   * byte order: cairo's CAIRO_FORMAT_ARGB32, Qt's QImage::Format_ARGB32_Premultiplied, SDL's
   * SDL_PIXELFORMAT_ARGB8888. Drawn straight into, with no conversion. */
  ZELTO_PIXELS_ARGB32 = 1
} zelto_pixel_format;

/* zelto_display_draw in the pixel format `format`; the same sizes and scales are accepted. */
ZELTO_EXPORT zelto_status zelto_display_draw_in_format(unsigned char* pixels, int width, int height,
                                                       int stride, double scale,
                                                       zelto_pixel_format format, bool* shown,
                                                       char** message);

/* The user's input, each given to the frontmost screen (a dialog or a presented screen covers
 * what is below it) and each counting as activity for the flow's idle timer. *handled tells
 * whether a view took it; it is false while no flow is on screen. */

/* A tap at (x, y): a button acts, a text field takes the keyboard. A disabled control takes the
 * tap and does nothing; the background takes none. */
ZELTO_EXPORT zelto_status zelto_display_tap(double x, double y, bool* handled, char** message);
/* Types `text` (NUL-terminated UTF-8) into the field that has the keyboard, one character at a
 * time through the field's own filter, which may refuse a character (it still counts as
 * handled). */
ZELTO_EXPORT zelto_status zelto_display_type_text(const char* text, bool* handled, char** message);
/* A scroll (a mouse wheel, two fingers on a touchpad) at (x, y) of (dx, dy) points: positive dy
 * shows what lies further down. The nearest list or scrolling screen there that can move does,
 * within its content. *handled tells whether one moved; it counts as activity either way. */
ZELTO_EXPORT zelto_status zelto_display_scroll(double x, double y, double dx, double dy,
                                               bool* handled, char** message);
/* The delete key in the field that has the keyboard. */
ZELTO_EXPORT zelto_status zelto_display_delete_backward(bool* handled, char** message);
/* "Back": the cancel action of a dialog in front, else the back or close button at the left
 * of the front screen's navigation bar or header. */
ZELTO_EXPORT zelto_status zelto_display_back(bool* handled, char** message);

#ifdef __cplusplus
}
#endif

#endif /* ZELTO_ZELTO_H_ */
