// zelto validate [PAYLOAD|-], zelto validate --lines [-j N] [FILE...]
#include <zelto/decode/qr_error.h>
#include <zelto/payload/tlv_generator.h>

#include <iostream>

#include "batch/line_commands.h"
#include "host/inputs.h"
#include "tools/command.h"
#include "tools/lines_option.h"
#include "tools/payload_input.h"

namespace zelto::tool {
namespace {

const CommandRegistrar registrar(
    "validate", "Check a merchant QR payload rule by rule and print its QR error codes",
    [](CLI::App& command) -> std::function<int()> {
      auto payload = addPayloadArgument(command);
      auto lines = addLinesOptions(command, "a payload");
      command.footer(
          "Prints {\"qrCodeError\": [codes], \"qrCodeData\": {}}: every broken rule's code, in\n"
          "the order found (0 alone when the payload does not decode, 48 for a wrong CRC).\n"
          "Exit status 0 when there are no codes, 1 when there are, 2 when standard input\n"
          "cannot be read.");
      return [payload, lines]() {
        if (lines->lines) return runLines(*payload, lines->jobs, batch::validateLines);
        const host::Input input = readPayload(*payload);
        if (!input.text) return fail(input.error);
        const QRCodeError error(TLVGenerator::tlvValidation(*input.text));
        std::cout << error.getJSONOutput() << '\n';
        return error.errorCodes.empty() ? 0 : 1;
      };
    });

}  // namespace
}  // namespace zelto::tool
