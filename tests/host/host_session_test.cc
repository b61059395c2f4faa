// Runs every tests/host/scripts/NAME.script with `zelto host` and compares what it prints with
// NAME.expected. The scripts run in a scratch copy of tests/host, so the images they write land
// there. ZELTO_UPDATE_EXPECTED=1 in the environment rewrites the expected files instead, and
// prints what each rewrite changed, line by line, so that a wrong output is seen before it is
// committed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

namespace fs = std::filesystem;

// Exit status 1 exactly when some line failed.
int expectedStatus(const std::string& output) {
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("{\"line\":") && line.find(",\"error\":") != std::string::npos) return 1;
  }
  return 0;
}

// The lines of `before` that `after` lost ("-N: line", N counted in `before`) and the lines it
// gained ("+N: line", N counted in `after`), in order, from a longest common subsequence; ""
// when the texts hold the same lines.
std::string lineDiff(const std::string& before, const std::string& after) {
  const std::vector<std::string> a = linesOf(before), b = linesOf(after);
  // common[i][j]: the longest common subsequence of a[i..] and b[j..].
  std::vector<std::vector<std::size_t>> common(a.size() + 1,
                                               std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = a.size(); i-- > 0;) {
    for (std::size_t j = b.size(); j-- > 0;) {
      common[i][j] =
          a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    }
  }
  std::string diff;
  std::size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && a[i] == b[j]) {
      ++i;
      ++j;
    } else if (j == b.size() || (i < a.size() && common[i + 1][j] >= common[i][j + 1])) {
      diff += "-" + std::to_string(i + 1) + ": " + a[i] + "\n";
      ++i;
    } else {
      diff += "+" + std::to_string(j + 1) + ": " + b[j] + "\n";
      ++j;
    }
  }
  return diff;
}

TEST(HostScripts, ARewriteShowsTheLinesItChanges) {
  EXPECT_EQ(lineDiff("a\nb\nc\n", "a\nb\nc\n"), "");
  EXPECT_EQ(lineDiff("a\nb\nc\n", "a\nB\nc\nd\n"), "-2: b\n+2: B\n+4: d\n");
  EXPECT_EQ(lineDiff("x\na\n", "a\n"), "-1: x\n");
  EXPECT_EQ(lineDiff("", "a\n"), "+1: a\n");
}

fs::path workFolder() {
  const fs::path source = fs::path(__FILE__).parent_path();
  const fs::path work = fs::path(scratchFolder()) / "host";
  fs::copy(source, work, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  return work;
}

std::vector<std::string> environment(const fs::path& work) {
  return {"LC_ALL=en_US.UTF-8", "XDG_CONFIG_HOME=" + (work / "config").string()};
}

TEST(HostScripts, PrintWhatTheirExpectedFilesHold) {
  const fs::path work = workFolder();
  std::vector<fs::path> scripts;
  for (const auto& entry : fs::directory_iterator(work / "scripts")) {
    if (entry.path().extension() == ".script") scripts.push_back(entry.path());
  }
  std::sort(scripts.begin(), scripts.end());
  ASSERT_FALSE(scripts.empty());
  const bool update = std::getenv("ZELTO_UPDATE_EXPECTED") != nullptr;
  for (const auto& script : scripts) {
    const std::string name = script.stem().string();
    // "NAME.LANG.script" runs in that language ("mirrored.ar"), the others in English.
    std::vector<std::string> arguments{"host"};
    if (const auto dot = name.rfind('.'); dot != std::string::npos) {
      arguments.insert(arguments.end(), {"--lang", name.substr(dot + 1)});
    }
    arguments.push_back("scripts/" + name + ".script");
    const auto result = runCli(arguments, "", environment(work), work.string());
    const fs::path expectedPath =
        fs::path(__FILE__).parent_path() / "scripts" / (name + ".expected");
    if (update) {
      const std::string changes = lineDiff(readFile(expectedPath), result.out);
      if (!changes.empty()) std::cout << "rewrote " << expectedPath.string() << ":\n" << changes;
      std::ofstream(expectedPath, std::ios::binary) << result.out;
    }
    const std::string expected = readFile(expectedPath);
    EXPECT_EQ(result.out, expected) << name;
    EXPECT_EQ(result.err, "") << name;
    EXPECT_EQ(result.status, expectedStatus(expected)) << name;
  }
}

TEST(HostScripts, ReadsStandardInputAndRefusesAnUnreadableScript) {
  const fs::path work = workFolder();
  const auto fromInput = runCli({"host"}, "payload\n\nrequest", environment(work), work.string());
  EXPECT_EQ(fromInput.out,
            "{\"line\":1,\"command\":\"payload\",\"error\":\"the request-payment screen is not "
            "showing\"}\n"
            "{\"line\":3,\"command\":\"request\",\"error\":\"no payment request was launched\"}\n");
  EXPECT_EQ(fromInput.status, 1);

  const auto missing = runCli({"host", "no-such.script"}, "", environment(work), work.string());
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "zelto: cannot read no-such.script: No such file or directory\n");
}

}  // namespace
}  // namespace zelto::testing
