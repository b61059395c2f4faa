// Runs the built `zelto` tool as a user would, capturing its output and exit status.
#ifndef ZELTO_TESTS_TOOLS_CLI_RUNNER_H_
#define ZELTO_TESTS_TOOLS_CLI_RUNNER_H_

#include <string>
#include <vector>

namespace zelto::testing {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `zelto` with `args` (each passed as one argument), feeding `input` on standard input.
// `env` entries ("NAME=value") are added to the environment. It runs in `workingDirectory`
// when one is given.
CliResult runCli(const std::vector<std::string>& args, const std::string& input = "",
                 const std::vector<std::string>& env = {},
                 const std::string& workingDirectory = "");

// The scratch folder of this test run, created on first use.
std::string scratchFolder();

// Runs `zelto` with `args` and standard input opened read-only on `stdinPath` (a folder, say),
// or closed when `stdinPath` is empty.
CliResult runCliWithStdin(const std::vector<std::string>& args, const std::string& stdinPath);

// A file in a fresh scratch folder holding `content`; returns its path.
std::string writeTempFile(const std::string& name, const std::string& content);

// The bytes of the file at `path`; "" when it cannot be read.
std::string readFile(const std::string& path);

// The lines of `text`, without their line breaks.
std::vector<std::string> linesOf(const std::string& text);

}  // namespace zelto::testing

#endif  // ZELTO_TESTS_TOOLS_CLI_RUNNER_H_
