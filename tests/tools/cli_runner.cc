#include "tests/tools/cli_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zelto::testing {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

namespace {

std::filesystem::path scratchDir() {
  static const std::filesystem::path dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelto-test-XXXXXX").string();
    return std::filesystem::path(mkdtemp(pattern.data()));
  }();
  return dir;
}

}  // namespace

std::string writeTempFile(const std::string& name, const std::string& content) {
  const auto path = scratchDir() / name;
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

std::string scratchFolder() { return scratchDir().string(); }

namespace {

// Runs `zelto` with standard input opened on `inPath`, or closed when `inPath` is empty.
CliResult run(const std::vector<std::string>& args, const std::string& inPath,
              const std::vector<std::string>& env, const std::string& workingDirectory) {
  static int counter = 0;
  const std::string stem = "run" + std::to_string(++counter);
  const auto outPath = scratchDir() / (stem + ".out");
  const auto errPath = scratchDir() / (stem + ".err");
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (inPath.empty()) {
      close(0);
    } else {
      dup2(open(inPath.c_str(), O_RDONLY), 0);
    }
    dup2(out, 1);
    dup2(err, 2);
    for (const auto& entry : env) putenv(const_cast<char*>(entry.c_str()));
    if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(ZELTO_CLI_PATH)};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(ZELTO_CLI_PATH, argv.data());
    _exit(127);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  CliResult result;
  result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  return result;
}

}  // namespace

CliResult runCli(const std::vector<std::string>& args, const std::string& input,
                 const std::vector<std::string>& env, const std::string& workingDirectory) {
  static int counter = 0;
  const std::string inPath = writeTempFile("input" + std::to_string(++counter), input);
  return run(args, inPath, env, workingDirectory);
}

CliResult runCliWithStdin(const std::vector<std::string>& args, const std::string& stdinPath) {
  return run(args, stdinPath, {}, "");
}

}  // namespace zelto::testing
