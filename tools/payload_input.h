// The payload argument of `zelto decode` and `zelto validate`: the payload text itself, or "-"
// (the default) for standard input, from which one trailing line break ("\n" or "\r\n") is
// dropped and nothing else. With --lines the arguments name files of payloads instead.
#ifndef ZELTO_TOOLS_PAYLOAD_INPUT_H_
#define ZELTO_TOOLS_PAYLOAD_INPUT_H_

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "host/inputs.h"
#include "tools/command.h"

namespace zelto::tool {

// Adds the PAYLOAD argument to `command`; the returned list receives it (or the files).
std::shared_ptr<std::vector<std::string>> addPayloadArgument(CLI::App& command);

// The payload text named by `arguments` (none stands for "-"); an error naming the system's
// reason when standard input cannot be read, or when more than one payload is given.
host::Input readPayload(const std::vector<std::string>& arguments);

}  // namespace zelto::tool

#endif  // ZELTO_TOOLS_PAYLOAD_INPUT_H_
