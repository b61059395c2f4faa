// The payload argument of `zelto decode` and `zelto validate`: the payload text itself, or "-"
// (the default) for standard input, from which one trailing line break ("\n" or "\r\n") is
// dropped and nothing else.
#ifndef ZELTO_TOOLS_PAYLOAD_INPUT_H_
#define ZELTO_TOOLS_PAYLOAD_INPUT_H_

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "tools/command.h"

namespace zelto::tool {

// Adds the PAYLOAD argument to `command`; the returned string receives it.
std::shared_ptr<std::string> addPayloadArgument(CLI::App& command);

// The payload text named by `argument`; an error naming the system's reason when standard
// input cannot be read.
Input readPayload(const std::string& argument);

}  // namespace zelto::tool

#endif  // ZELTO_TOOLS_PAYLOAD_INPUT_H_
