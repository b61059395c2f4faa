#include "tools/payload_input.h"

namespace zelto::tool {

std::shared_ptr<std::string> addPayloadArgument(CLI::App& command) {
  auto payload = std::make_shared<std::string>("-");
  command.add_option("PAYLOAD", *payload,
                     "The payload text; '-' or nothing reads it from standard input\n"
                     "(one trailing line break is dropped)");
  return payload;
}

Input readPayload(const std::string& argument) {
  if (argument != "-") return {argument, ""};
  Input input = readInput("-");
  if (input.text) {
    std::string& text = *input.text;
    if (text.ends_with('\n')) text.pop_back();
    if (text.ends_with('\r')) text.pop_back();
  }
  return input;
}

}  // namespace zelto::tool
