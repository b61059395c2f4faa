#include "tools/command.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace zelto::tool {

std::vector<CommandInfo>& commandRegistry() {
  static std::vector<CommandInfo> registry;
  return registry;
}

CommandRegistrar::CommandRegistrar(std::string name, std::string description, CommandSetup setup) {
  commandRegistry().push_back({std::move(name), std::move(description), std::move(setup)});
}

int fail(std::string_view message) {
  std::cerr << "zelto: " << message << '\n';
  return kUsageError;
}

Input readInput(const std::string& source) {
  if (source == "-") {
    std::ostringstream buffer;
    buffer << std::cin.rdbuf();
    return {buffer.str(), ""};
  }
  std::ifstream in(source, std::ios::binary);
  if (!in) return {std::nullopt, "cannot read " + source};
  return {std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), ""};
}

JsonInput readJson(const std::string& source) {
  const Input input = readInput(source);
  if (!input.text) return {std::nullopt, input.error};
  try {
    return {nlohmann::ordered_json::parse(*input.text), ""};
  } catch (const nlohmann::json::parse_error& error) {
    const std::string name = source == "-" ? "standard input" : source;
    return {std::nullopt, "invalid JSON in " + name + " at byte " + std::to_string(error.byte)};
  }
}

}  // namespace zelto::tool
