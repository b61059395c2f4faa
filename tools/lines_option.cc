#include "tools/lines_option.h"

#include <unistd.h>

#include <iostream>

#include "base/file_input.h"
#include "tools/command.h"

namespace zelto::tool {

std::shared_ptr<LinesOptions> addLinesOptions(CLI::App& command, const std::string& what) {
  auto options = std::make_shared<LinesOptions>();
  options->flag = command.add_flag(
      "--lines", options->lines,
      "Read " + what +
          " a line from the FILEs named (or standard input) and print one JSON\n"
          "result a line, in input order, starting with the line's number: {\"line\": 1, ...}\n"
          "(and the \"file\" when there are several). A bad line gets its error on its own\n"
          "line and the run goes on; empty lines are skipped. Exit status 1 when any line\n"
          "failed.");
  command.add_option("-j,--jobs", options->jobs, "With --lines: threads to use (default: cores)")
      ->check(CLI::Range(1u, batch::kMaxThreads))
      ->needs(options->flag);
  return options;
}

int runLines(const std::vector<std::string>& sources, unsigned jobs,
             const std::function<batch::LineFunction(std::string file)>& make) {
  const std::vector<std::string> names = sources.empty() ? std::vector<std::string>{"-"} : sources;
  std::cout.flush();
  bool anyFailed = false;
  for (const std::string& source : names) {
    const files::Opened input = files::open(source);
    if (input.fd < 0) return fail(input.error);
    const std::string& name = input.name;
    const batch::RunResult result =
        batch::run(input.fd, STDOUT_FILENO, make(names.size() > 1 ? name : ""), jobs);
    if (!input.standardInput) ::close(input.fd);
    if (result.stop == batch::RunResult::Stop::kReading) {
      return fail("cannot read " + name + ": " + result.reason);
    }
    if (result.stop == batch::RunResult::Stop::kWriting) {
      return fail("cannot write the results: " + result.reason);
    }
    anyFailed |= result.failed > 0;
  }
  return anyFailed ? 1 : 0;
}

}  // namespace zelto::tool
