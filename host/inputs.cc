#include "host/inputs.h"

#include "base/json_reader.h"

namespace zelto::host {
namespace {

std::string inputName(const std::string& source) {
  return source == "-" ? "standard input" : source;
}

}  // namespace

Input readInput(const std::string& source) { return files::read(source); }

TagDictionaryFromJson readTagDictionaryInput(const std::string& source) {
  Input input = readInput(source);
  if (!input.text) return {std::nullopt, std::move(input.error)};
  return readTagDictionary(*input.text, inputName(source));
}

JsonInput readJson(const std::string& source) {
  Input input = readInput(source);
  if (!input.text) return {std::nullopt, std::move(input.error)};
  json::ReadResult result = json::read(*input.text);
  if (!result.value) return {std::nullopt, result.message(inputName(source))};
  return {std::move(result.value), ""};
}

}  // namespace zelto::host
