// QR symbols of a payload as files a print shop takes: PNG bytes and SVG text. Both draw the
// symbol of platform/qr_code.h (byte mode, error correction M, quiet zone of 4 modules) black on
// white. Nothing when the payload does not fit in a symbol (over 2331 bytes).
//
// Thread-safety: any thread.
#ifndef ZELTO_PYTHON_SRC_QR_OUTPUT_H_
#define ZELTO_PYTHON_SRC_QR_OUTPUT_H_

#include <optional>
#include <string>
#include <string_view>

namespace zelto::python {

// A PNG of `scale` pixels a module (1 or more).
std::optional<std::string> qrPng(std::string_view payload, int scale);

// An SVG document whose user unit is one module: the dark modules as one path of runs.
std::optional<std::string> qrSvg(std::string_view payload);

}  // namespace zelto::python

#endif  // ZELTO_PYTHON_SRC_QR_OUTPUT_H_
