#include "tools/payload_input.h"

#include "host/inputs.h"

namespace zelto::tool {

std::shared_ptr<std::vector<std::string>> addPayloadArgument(CLI::App& command) {
  auto payload = std::make_shared<std::vector<std::string>>();
  command.add_option("PAYLOAD", *payload,
                     "The payload text; '-' or nothing reads it from standard input\n"
                     "(one trailing line break is dropped). With --lines: FILEs of\n"
                     "payloads, one a line ('-' for standard input)");
  return payload;
}

host::Input readPayload(const std::vector<std::string>& arguments) {
  if (arguments.size() > 1) {
    return {std::nullopt, "one payload at a time (--lines reads payloads a line from files)"};
  }
  if (!arguments.empty() && arguments.front() != "-") return {arguments.front(), ""};
  host::Input input = host::readInput("-");
  if (input.text) {
    std::string& text = *input.text;
    if (text.ends_with('\n')) text.pop_back();
    if (text.ends_with('\r')) text.pop_back();
  }
  return input;
}

}  // namespace zelto::tool
