// zelto crc TEXT
#include <zelto/payload/crc16.h>

#include <iostream>

#include "tools/command.h"

namespace zelto::tool {
namespace {

const CommandRegistrar registrar(
    "crc", "Print the four CRC-16 digits of TEXT (the payload checksum)",
    [](CLI::App& command) -> std::function<int()> {
      auto text = std::make_shared<std::string>();
      command.add_option("TEXT", *text, "Text whose UTF-8 bytes are checked, taken as given")
          ->required();
      return [text]() {
        std::cout << crc16::crcDigits(*text) << '\n';
        return 0;
      };
    });

}  // namespace
}  // namespace zelto::tool
