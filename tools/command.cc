#include "tools/command.h"

#include <zelto/sdk/zelto_merchant_sdk.h>

#include <iostream>

#include "base/language.h"

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

}  // namespace zelto::tool
