// The work of `zelto validate --lines`, `decode --lines` and `encode --lines` on one line: the
// line's input in, one compact JSON object out (ending in "\n"), which starts with the line's
// number ("line") and, when `file` is not empty, the file it came from ("file"):
//   validate:     {"line":1,"qrCodeError":[9,15],"qrCodeData":{}}      fails when any code
//   decode:       {"line":1,"isTipAvailable":false,"merchantName":"ABC",...}
//                 {"line":2,"error":"invalidLength"}                    fails
//   encode:       {"line":1,"payload":"000201..."}   from a JSON payment request
//   encode tags:  {"line":1,"payload":"000201..."}   from a JSON tag dictionary
//                 {"line":2,"error":"invalid JSON at byte 3: ..."}       fails
// The members after "line" (and "file") are those of the single-input commands.
//
// Thread-safety: the functions returned keep no state; they may run on several threads at once.
#ifndef ZELTO_BATCH_LINE_COMMANDS_H_
#define ZELTO_BATCH_LINE_COMMANDS_H_

#include <string>
#include <string_view>

#include "batch/line_pipeline.h"

namespace zelto::batch {

LineFunction validateLines(std::string file = {});
LineFunction decodeLines(std::string file = {});
LineFunction encodeRequestLines(std::string file = {});
LineFunction encodeTagLines(std::string file = {});

// Appends `text` to `out` as a JSON string: ASCII kept as it is, other UTF-8 kept, ill-formed
// UTF-8 replaced by U+FFFD.
void appendJsonString(std::string& out, std::string_view text);

}  // namespace zelto::batch

#endif  // ZELTO_BATCH_LINE_COMMANDS_H_
