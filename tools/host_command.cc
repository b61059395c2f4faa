// zelto host [SCRIPT|-]: a host application driven by a script (host/host_script.h), printing
// one JSON line for everything it sees (host/host_session.h).
#include <iostream>
#include <string_view>

#include "host/host_session.h"
#include "host/inputs.h"
#include "tools/command.h"

namespace zelto::tool {
namespace {

int runScript(const std::string& source) {
  const host::Input input = host::readInput(source);
  if (!input.text) return fail(input.error);
  bool failed = false;
  {
    host::HostSession host(std::cout);
    std::string_view rest = *input.text;
    for (int number = 1; !rest.empty(); ++number) {
      const std::size_t end = rest.find('\n');
      failed |= !host.runLine(number, rest.substr(0, end));
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
  }
  return failed ? 1 : 0;
}

const CommandRegistrar registrar(
    "host", "Run a script of host actions against the library's flows, printing JSON lines",
    [](CLI::App& command) -> std::function<int()> {
      auto source = std::make_shared<std::string>("-");
      addLanguageOption(command);
      command.add_option("SCRIPT", *source,
                         "One command a line ('-' or nothing reads standard input):\n"
                         "  launch-request [--tags] FILE, launch-refund FILE, tap ID,\n"
                         "  type ID TEXT, delete ID [N], toggle ID, alert TITLE,\n"
                         "  advance SECONDS, show [ID], payload, request, snapshot FILE.png,\n"
                         "  share FILE.png, end-flow, delegate on|off\n"
                         "Blank lines and lines starting with # are skipped.");
      command.footer(
          "Prints one JSON object a line: the result of each command, the calls of the\n"
          "completion handler or delegate, the idle-timeout notification. A bad line gets\n"
          "{\"line\": N, \"error\": ...} and the script goes on.\n"
          "Exit status: 0 when every line ran, 1 when any line failed, 2 when the script\n"
          "cannot be read.");
      return [source]() { return runScript(*source); };
    });

}  // namespace
}  // namespace zelto::tool
