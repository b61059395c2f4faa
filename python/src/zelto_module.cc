// The Python module zelto._zelto: the library's core for Python, with Python's types at the
// boundary (dict, list, str, bytes) and errors raised as zelto.Error subclasses of ValueError
// carrying the library's messages. The functions that take many payloads release the GIL and
// spread the work over threads (batch/line_pipeline.h).
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/crc16.h>
#include <zelto/payload/tlv_generator.h>
#include <zelto/results/zelto_refund_payment_request.h>
#include <zelto/sdk/zelto_merchant_sdk.h>
#include <zelto/sdk/zelto_payment_request.h>
#include <zelto/sdk/zelto_print.h>

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/device_locale.h"
#include "base/json_reader.h"
#include "base/text.h"
#include "batch/line_pipeline.h"
#include "currency/currency_formatter.h"
#include "currency/currency_table.h"
#include "payload/tag_dictionary_json.h"
#include "sdk/request_json.h"

namespace py = pybind11;

namespace {

using Json = nlohmann::ordered_json;

PyObject* errorType = nullptr;
PyObject* decodeErrorType = nullptr;
PyObject* requestErrorType = nullptr;

[[noreturn]] void raise(PyObject* type, const std::string& message) {
  PyErr_SetString(type, message.c_str());
  throw py::error_already_set();
}

// The UTF-8 text of a str. A str that has none (a lone surrogate, as decoding bytes with
// "surrogateescape" leaves) raises UnicodeEncodeError, a ValueError naming the character.
std::string_view textOf(py::handle text) {
  Py_ssize_t size = 0;
  const char* data = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
  if (data == nullptr) throw py::error_already_set();
  return {data, static_cast<std::size_t>(size)};
}

// A Python int as a JSON number: one that takes more than 64 bits has none.
Json integerJson(py::handle value) {
  int overflow = 0;
  const long long number = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
  if (overflow == 0) return static_cast<std::int64_t>(number);
  if (overflow > 0) {
    const unsigned long long large = PyLong_AsUnsignedLongLong(value.ptr());
    if (!PyErr_Occurred()) return static_cast<std::uint64_t>(large);
    PyErr_Clear();
  }
  std::string digits = py::str(value);
  if (digits.size() > 24) digits = digits.substr(0, 20) + "...";
  raise(errorType, "the integer " + digits + " does not fit in 64 bits");
}

// A Python value as JSON, the form the library's request readers take. Nesting is bounded as
// for JSON text.
Json toJson(py::handle value, std::size_t depth = 0) {
  if (value.is_none()) return nullptr;
  if (py::isinstance<py::bool_>(value)) return value.cast<bool>();
  if (py::isinstance<py::int_>(value)) return integerJson(value);
  if (py::isinstance<py::float_>(value)) return PyFloat_AS_DOUBLE(value.ptr());
  if (py::isinstance<py::str>(value)) return std::string(textOf(value));
  const bool dict = py::isinstance<py::dict>(value);
  if (dict || py::isinstance<py::list>(value) || py::isinstance<py::tuple>(value)) {
    if (depth == zelto::json::kMaxDepth) {
      raise(errorType,
            "nested more than " + std::to_string(zelto::json::kMaxDepth) + " dicts and lists deep");
    }
    if (!dict) {
      Json array = Json::array();
      for (py::handle item : value) array.push_back(toJson(item, depth + 1));
      return array;
    }
    Json object = Json::object();
    for (auto [key, item] : value.cast<py::dict>()) {
      if (!py::isinstance<py::str>(key)) {
        throw py::type_error("keys must be str, not " +
                             std::string(py::str(key.get_type().attr("__name__"))));
      }
      object[std::string(textOf(key))] = toJson(item, depth + 1);
    }
    return object;
  }
  throw py::type_error("cannot read a value of type " +
                       std::string(py::str(value.get_type().attr("__name__"))));
}

py::object fromJson(const Json& json) {
  switch (json.type()) {
    case Json::value_t::null:
      return py::none();
    case Json::value_t::boolean:
      return py::bool_(json.get<bool>());
    case Json::value_t::number_integer:
      return py::int_(json.get<std::int64_t>());
    case Json::value_t::number_unsigned:
      return py::int_(json.get<std::uint64_t>());
    case Json::value_t::number_float:
      return py::float_(json.get<double>());
    case Json::value_t::string:
      return py::str(json.get<std::string>());
    case Json::value_t::array: {
      py::list list;
      for (const Json& item : json) list.append(fromJson(item));
      return list;
    }
    default: {
      py::dict dict;
      for (const auto& [key, item] : json.items()) dict[py::str(key)] = fromJson(item);
      return dict;
    }
  }
}

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

// The Python string of a dictionary key, made once: the same few hundred property names and
// tags key every decoded dict, and Python hashes a string object once. Under the GIL; the keys
// live as long as the process, and keys past the first 4096 are made each time.
py::str keyOf(std::string_view key) {
  static auto* const keys = new std::unordered_map<std::string, py::str, TextHash, std::equal_to<>>;
  if (const auto found = keys->find(key); found != keys->end()) return found->second;
  py::str made(key.data(), key.size());
  if (keys->size() < 4096) keys->emplace(key, made);
  return made;
}

// Adds the entries of `tags` to `dict`: strings, nested dicts, and opaque values parsed back.
void addTags(const py::dict& dict, const zelto::TagDictionary& tags) {
  for (const auto& [key, value] : tags) {
    py::object item;
    if (const auto* text = value.string()) {
      item = py::str(*text);
    } else if (const auto* nested = value.dictionary()) {
      py::dict inner;
      addTags(inner, *nested);
      item = std::move(inner);
    } else {
      item = fromJson(Json::parse(value.opaque()->json));
    }
    if (PyDict_SetItem(dict.ptr(), keyOf(key).ptr(), item.ptr()) != 0) {
      throw py::error_already_set();
    }
  }
}

py::dict fromTags(const zelto::TagDictionary& tags) {
  py::dict dict;
  addTags(dict, tags);
  return dict;
}

// A decoded payload: its fields, or the reason it does not decode.
struct Decoded {
  std::optional<zelto::TagDictionary> fields;
  bool isTipAvailable = false;
  std::string_view error;
};

Decoded decodePayload(std::string_view payload) {
  zelto::ZeltoPayMerchantTLV record;
  if (const auto error = record.decodeTLV(payload)) return {std::nullopt, false, caseName(*error)};
  return {record.presentProperties(), record.isTipAvailable, {}};
}

py::dict decodedDict(const Decoded& decoded) {
  py::dict dict;
  dict[keyOf("isTipAvailable")] = py::bool_(decoded.isTipAvailable);
  addTags(dict, *decoded.fields);
  return dict;
}

std::vector<std::uint8_t> validationCodes(std::string_view payload) {
  std::vector<std::uint8_t> codes;
  for (const std::string& code : zelto::TLVGenerator::tlvValidation(payload)) {
    codes.push_back(static_cast<std::uint8_t>(std::stoi(code)));  // the codes are "0" to "55"
  }
  return codes;
}

py::list codeList(const std::vector<std::uint8_t>& codes) {
  PyObject* list = PyList_New(static_cast<Py_ssize_t>(codes.size()));
  if (list == nullptr) throw py::error_already_set();
  for (std::size_t i = 0; i < codes.size(); ++i) {
    PyList_SET_ITEM(list, static_cast<Py_ssize_t>(i), PyLong_FromLong(codes[i]));
  }
  return py::reinterpret_steal<py::list>(list);
}

// The UTF-8 text of every str of `payloads`, read while the GIL is held. `kept` holds the
// payloads as a list or tuple, which keeps the texts alive while the views are used.
std::vector<std::string_view> payloadTexts(const py::iterable& payloads, py::object& kept) {
  kept = py::reinterpret_steal<py::object>(
      PySequence_Fast(payloads.ptr(), "payloads must be an iterable of str"));
  if (!kept) throw py::error_already_set();
  const Py_ssize_t count = PySequence_Fast_GET_SIZE(kept.ptr());
  PyObject** items = PySequence_Fast_ITEMS(kept.ptr());
  std::vector<std::string_view> texts(static_cast<std::size_t>(count));
  for (Py_ssize_t i = 0; i < count; ++i) {
    if (!PyUnicode_Check(items[i])) {
      throw py::type_error("payloads must be str, not " + std::string(Py_TYPE(items[i])->tp_name));
    }
    Py_ssize_t size = 0;
    const char* data = PyUnicode_AsUTF8AndSize(items[i], &size);
    if (data == nullptr) throw py::error_already_set();
    texts[i] = std::string_view(data, static_cast<std::size_t>(size));
  }
  return texts;
}

// Holds off Python's cycle collector while many result containers are made: they hold no
// cycles, and each collection would walk all those made so far.
class CollectorPause {
 public:
  CollectorPause() : wasEnabled_(PyGC_Disable() == 1) {}
  ~CollectorPause() {
    if (wasEnabled_) PyGC_Enable();
  }
  CollectorPause(const CollectorPause&) = delete;
  CollectorPause& operator=(const CollectorPause&) = delete;

 private:
  bool wasEnabled_;
};

unsigned threadsOf(std::optional<int> threads) {
  if (threads && (*threads < 1 || *threads > static_cast<int>(zelto::batch::kMaxThreads))) {
    raise(errorType, "threads must be from 1 to " + std::to_string(zelto::batch::kMaxThreads));
  }
  return threads ? static_cast<unsigned>(*threads) : 0u;
}

std::shared_ptr<zelto::ZeltoPaymentRequest> requestOf(const py::dict& request) {
  const zelto::PaymentRequestFromJson read = zelto::paymentRequestFromJson(toJson(request));
  if (!read.request) raise(requestErrorType, read.error);
  return read.request;
}

std::vector<std::string> errorsOf(const std::shared_ptr<zelto::ZeltoError>& error) {
  return error ? error->errorCodes : std::vector<std::string>{};
}

}  // namespace

PYBIND11_MODULE(_zelto, m) {
  m.doc() = "Merchant QR payloads: encoding, decoding, validation and request checks.";

  static py::exception<void> error(m, "Error", PyExc_ValueError);
  static py::exception<void> decodeError(m, "DecodeError", error.ptr());
  static py::exception<void> requestError(m, "RequestError", error.ptr());
  errorType = error.ptr();
  decodeErrorType = decodeError.ptr();
  requestErrorType = requestError.ptr();

  m.def(
      "encode", [](const py::dict& request) { return requestOf(request)->getTLVForPlainObject(); },
      py::arg("request"),
      "The payload of a payment request given as a dict of ZeltoPaymentRequest properties\n"
      "(merchantName, zeltoMerchantID, transactionAmount, ...) with str values, or None for\n"
      "absent optional ones; missing properties keep their defaults. Raises RequestError\n"
      "naming the first property at fault.");
  m.def(
      "encode_tags",
      [](const py::dict& tags) {
        const zelto::TagDictionaryFromJson read = zelto::tagDictionaryFromJson(toJson(tags));
        if (!read.dictionary) raise(requestErrorType, read.error);
        return zelto::TLVGenerator::encodeDictToTLV(*read.dictionary);
      },
      py::arg("tags"),
      "The payload of a tag dictionary: keys are tags (\"59\") or property names\n"
      "(\"merchantName\"), values are str, nested dicts are templates.");
  m.def(
      "decode",
      [](const py::str& payload) {
        const Decoded decoded = decodePayload(textOf(payload));
        if (!decoded.fields) raise(decodeErrorType, std::string(decoded.error));
        return decodedDict(decoded);
      },
      py::arg("payload"),
      "The fields of a payload: isTipAvailable, then every field it sets under its property\n"
      "name; templates are nested dicts. Raises DecodeError (invalidLength, repeatedTag or\n"
      "invalidTag) when the payload does not decode.");
  m.def(
      "validate", [](const py::str& payload) { return codeList(validationCodes(textOf(payload))); },
      py::arg("payload"),
      "The QR error codes of a payload, rule by rule in the order found; [] when valid, [0]\n"
      "when it does not decode, 48 for a wrong CRC.");
  m.def(
      "check", [](const py::dict& request) { return errorsOf(requestOf(request)->validate()); },
      py::arg("request"),
      "The messages of the first rule a payment request (a dict as encode takes) breaks;\n"
      "[] when it is valid.");
  m.def(
      "check_refund",
      [](const py::dict& refund) {
        const zelto::RefundRequestFromJson read = zelto::refundRequestFromJson(toJson(refund));
        if (!read.request) raise(requestErrorType, read.error);
        return errorsOf(read.request->validate());
      },
      py::arg("refund"),
      "The messages of the first rule a refund request breaks: a dict of the str\n"
      "last4, cardHolderName, currencyCode and refundAmount; [] when it is valid.");
  m.def(
      "crc", [](const py::str& text) { return zelto::crc16::crcDigits(textOf(text)); },
      py::arg("text"), "The four upper-case hexadecimal CRC-16 digits of the UTF-8 bytes of text.");
  m.def(
      "format_amount",
      [](const py::object& amount, std::string_view currencyCode,
         std::optional<std::string> locale) {
        double value = 0;
        if (py::isinstance<py::str>(amount)) {
          const std::string_view text = textOf(amount);
          const auto parsed = zelto::text::parseDouble(text);
          if (!parsed) raise(errorType, "not an amount: \"" + std::string(text) + "\"");
          value = *parsed;
        } else if (py::isinstance<py::int_>(amount) || py::isinstance<py::float_>(amount)) {
          value = PyFloat_AsDouble(amount.ptr());
          if (value == -1.0 && PyErr_Occurred()) {
            PyErr_Clear();
            raise(errorType, "an amount must be a finite number");
          }
        } else {
          throw py::type_error("amount must be str, int or float");
        }
        const auto code = zelto::currency::flowCurrencyCode(currencyCode);
        if (!code) {
          raise(errorType, "unknown currency \"" + std::string(currencyCode) +
                               "\": give a three-digit numeric code such as 840 or an "
                               "alphabetic code such as USD");
        }
        if (locale && !zelto::platform::isKnownLocale(*locale)) {
          raise(errorType, "unknown locale \"" + *locale + "\" (try en_US or de_DE)");
        }
        const auto formatter = zelto::currency::formatterFor(
            *code, locale ? *locale : zelto::platform::deviceLocaleIdentifier());
        const auto text = formatter->string(value);
        if (!text) raise(errorType, "an amount must be a finite number");
        return *text;
      },
      py::arg("amount"), py::arg("currency_code"), py::arg("locale") = py::none(),
      "amount (str such as \"1234.5\", int or float) as the payment screens show it in the\n"
      "currency currency_code (numeric \"840\" or alphabetic \"USD\"): \"$1,234.50\". locale\n"
      "(\"de_DE\") sets the grouping and decimal separators; None takes the environment's.");
  const auto qrDocument = [](std::string_view payload, zelto::ZeltoDocumentFormat format,
                             int scale) {
    zelto::ZeltoDocument document = zelto::ZeltoPrint::qrCode(payload, format, scale);
    if (!document.ok()) raise(errorType, document.error);
    return std::move(document.bytes);
  };
  m.def(
      "qr_png",
      [qrDocument](const py::str& payload, int scale) {
        return py::bytes(qrDocument(textOf(payload), zelto::ZeltoDocumentFormat::png, scale));
      },
      py::arg("payload"), py::arg("scale") = 8,
      "The payload's QR symbol as PNG bytes: byte mode, error correction M, a quiet zone of\n"
      "4 modules, scale (1 to 100) pixels a module, pure black on white.");
  m.def(
      "qr_svg",
      [qrDocument](const py::str& payload, int scale) {
        return qrDocument(textOf(payload), zelto::ZeltoDocumentFormat::svg, scale);
      },
      py::arg("payload"), py::arg("scale") = 8,
      "The payload's QR symbol as an SVG document: one user unit a module (quiet zone\n"
      "included), scale (1 to 100) points a module on the page.");
  m.def(
      "qr_pdf",
      [qrDocument](const py::str& payload, int scale) {
        return py::bytes(qrDocument(textOf(payload), zelto::ZeltoDocumentFormat::pdf, scale));
      },
      py::arg("payload"), py::arg("scale") = 8,
      "The payload's QR symbol as a one-page PDF, scale (1 to 100) points a module.");
  m.def(
      "poster",
      [](const py::dict& request, std::string_view format, std::string_view size,
         std::optional<std::string> language) {
        const auto formatValue = format == "pdf"   ? zelto::ZeltoDocumentFormat::pdf
                                 : format == "svg" ? zelto::ZeltoDocumentFormat::svg
                                                   : zelto::ZeltoDocumentFormat::png;
        if (formatValue == zelto::ZeltoDocumentFormat::png) {
          raise(errorType, "format must be \"pdf\" or \"svg\"");
        }
        const auto paper = size == "a6"   ? std::optional(zelto::ZeltoPaperSize::a6)
                           : size == "a5" ? std::optional(zelto::ZeltoPaperSize::a5)
                           : size == "a4" ? std::optional(zelto::ZeltoPaperSize::a4)
                                          : std::nullopt;
        if (!paper) raise(errorType, "size must be \"a6\", \"a5\" or \"a4\"");
        const std::string previous = zelto::ZeltoMerchantSDK::language();
        if (language && !zelto::ZeltoMerchantSDK::setLanguage(*language)) {
          raise(errorType, "no string table for the language \"" + *language + "\"");
        }
        const std::shared_ptr<zelto::ZeltoPaymentRequest> payment = requestOf(request);
        zelto::ZeltoDocument document = zelto::ZeltoPrint::poster(*payment, formatValue, *paper);
        if (language) zelto::ZeltoMerchantSDK::setLanguage(previous);
        if (!document.ok()) raise(requestErrorType, document.error);
        return py::bytes(document.bytes);
      },
      py::arg("request"), py::arg("format") = "pdf", py::arg("size") = "a6",
      py::arg("language") = py::none(),
      "A print-ready counter-stand card for a payment request (as encode takes it): \"Scan to\n"
      "pay\", the merchant's name and city, the code (64 mm wide on A6), the amount when set,\n"
      "the network logos and a hint, as PDF (fonts embedded) or SVG bytes on A6, A5 or A4\n"
      "paper, its texts in language (\"ar\", \"pt-BR\", ...; None: the device's). Raises\n"
      "RequestError with the failing check when the request is not valid.");
  m.def(
      "validate_many",
      [](const py::iterable& payloads, std::optional<int> threads) {
        const unsigned threadCount = threadsOf(threads);
        py::object kept;
        const std::vector<std::string_view> texts = payloadTexts(payloads, kept);
        std::vector<std::vector<std::uint8_t>> codes(texts.size());
        {
          py::gil_scoped_release release;
          zelto::batch::forEachRange(texts.size(), threadCount,
                                     [&](std::size_t begin, std::size_t end) {
                                       for (std::size_t i = begin; i < end; ++i) {
                                         codes[i] = validationCodes(texts[i]);
                                       }
                                     });
        }
        const CollectorPause pause;
        PyObject* results = PyList_New(static_cast<Py_ssize_t>(codes.size()));
        if (results == nullptr) throw py::error_already_set();
        for (std::size_t i = 0; i < codes.size(); ++i) {
          PyList_SET_ITEM(results, static_cast<Py_ssize_t>(i), codeList(codes[i]).release().ptr());
        }
        return py::reinterpret_steal<py::list>(results);
      },
      py::arg("payloads"), py::arg("threads") = py::none(),
      "[validate(p) for p in payloads], computed on threads (default: the cores; 1 to 1024)\n"
      "without holding the GIL.");
  m.def(
      "decode_many",
      [](const py::iterable& payloads, std::optional<int> threads, bool raiseErrors) {
        const unsigned threadCount = threadsOf(threads);
        py::object kept;
        const std::vector<std::string_view> texts = payloadTexts(payloads, kept);
        std::vector<Decoded> decoded(texts.size());
        {
          py::gil_scoped_release release;
          zelto::batch::forEachRange(texts.size(), threadCount,
                                     [&](std::size_t begin, std::size_t end) {
                                       for (std::size_t i = begin; i < end; ++i) {
                                         decoded[i] = decodePayload(texts[i]);
                                       }
                                     });
        }
        const CollectorPause pause;
        py::list results(decoded.size());
        for (std::size_t i = 0; i < decoded.size(); ++i) {
          if (decoded[i].fields) {
            results[i] = decodedDict(decoded[i]);
          } else if (raiseErrors) {
            raise(decodeErrorType,
                  "payload " + std::to_string(i) + ": " + std::string(decoded[i].error));
          } else {
            results[i] = py::none();
          }
        }
        return results;
      },
      py::arg("payloads"), py::arg("threads") = py::none(), py::arg("raise_errors") = true,
      "[decode(p) for p in payloads], decoded on threads (default: the cores; 1 to 1024)\n"
      "without holding the GIL. A payload that does not decode raises DecodeError naming its "
      "index, or gives\n"
      "None with raise_errors=False.");
}
