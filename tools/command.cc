#include "tools/command.h"

#include <zelto/sdk/zelto_merchant_sdk.h>

#include <iostream>

#include "base/json_reader.h"
#include "base/language.h"
#include "payload/tag_dictionary_json.h"

namespace zelto::tool {

std::vector<CommandInfo>& commandRegistry() {
  static std::vector<CommandInfo> registry;
  return registry;
}

CommandRegistrar::CommandRegistrar(std::string name, std::string description, CommandSetup setup) {
  commandRegistry().push_back({std::move(name), std::move(description), std::move(setup)});
}

void addLanguageOption(CLI::App& command) {
  command
      .add_option_function<std::string>(
          "--lang", [](const std::string& language) { ZeltoMerchantSDK::setLanguage(language); },
          "Language of the screens: en, ar, hi, id, th, vi, pt-BR, es, fr, zh-Hans, or the\n"
          "pseudo-languages en-XA and ar-XB (default: the device's, from LC_ALL,\n"
          "LC_MESSAGES or LANG)")
      ->check(CLI::Validator(
          [](std::string& language) -> std::string {
            if (platform::nearestLanguage(language)) return "";
            return "no string table for \"" + language +
                   "\" (en, ar, hi, id, th, vi, pt-BR, es, fr, zh-Hans, en-XA, ar-XB)";
          },
          "LANGUAGE"));
}

int fail(std::string_view message) {
  std::cerr << "zelto: " << message << '\n';
  return kUsageError;
}

Input readInput(const std::string& source) { return files::read(source); }

TagDictionaryFromJson readTagDictionaryInput(const std::string& source) {
  Input input = readInput(source);
  if (!input.text) return {std::nullopt, std::move(input.error)};
  return readTagDictionary(*input.text, source == "-" ? "standard input" : source);
}

JsonInput readJson(const std::string& source) {
  Input input = readInput(source);
  if (!input.text) return {std::nullopt, std::move(input.error)};
  json::ReadResult result = json::read(*input.text);
  if (!result.value)
    return {std::nullopt, result.message(source == "-" ? "standard input" : source)};
  return {std::move(result.value), ""};
}

}  // namespace zelto::tool
