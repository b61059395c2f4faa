// The `zelto` command-line tool: one subcommand per registered command.
#include <algorithm>
#include <exception>
#include <iostream>
#include <string>

#include "tools/command.h"

int main(int argc, char** argv) {
  using namespace zelto::tool;
  CLI::App app{"zelto: merchant QR payloads, requests and flows from the command line"};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show the help of every command");
  auto& registry = commandRegistry();
  std::sort(registry.begin(), registry.end(),
            [](const CommandInfo& a, const CommandInfo& b) { return a.name < b.name; });
  std::vector<std::pair<CLI::App*, std::function<int()>>> commands;
  for (const auto& info : registry) {
    CLI::App* command = app.add_subcommand(info.name, info.description);
    commands.emplace_back(command, info.setup(*command));
  }
  if (argc > 1 && argv[1][0] != '-' &&
      std::none_of(registry.begin(), registry.end(),
                   [&](const CommandInfo& info) { return info.name == argv[1]; })) {
    return fail("unknown command \"" + std::string(argv[1]) + "\" (run 'zelto --help')");
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "zelto: " << e.what() << "\n(run 'zelto --help' for the commands)\n";
    return kUsageError;
  }
  try {
    for (auto& [command, run] : commands) {
      if (command->parsed()) return run();
    }
  } catch (const std::exception& e) {
    return fail(e.what());
  }
  return kUsageError;
}
