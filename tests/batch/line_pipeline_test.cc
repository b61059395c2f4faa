#include "batch/line_pipeline.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <string>
#include <vector>

namespace zelto::batch {
namespace {

// A file holding `content`, open for reading at its start.
int fileWith(const std::string& content) {
  FILE* file = tmpfile();
  fwrite(content.data(), 1, content.size(), file);
  fflush(file);
  const int fd = dup(fileno(file));
  fclose(file);
  lseek(fd, 0, SEEK_SET);
  return fd;
}

std::string readAll(int fd) {
  lseek(fd, 0, SEEK_SET);
  std::string text;
  char buffer[65536];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, got);
  return text;
}

// Echoes each line after its number; a line starting with "bad" fails.
bool echo(std::string_view line, std::uint64_t number, std::string& out) {
  out += std::to_string(number) + ":" + std::string(line) + "\n";
  return !line.starts_with("bad");
}

struct Output {
  RunResult result;
  std::string text;
};

Output runOver(const std::string& input, unsigned threads, const LineFunction& work = echo) {
  const int in = fileWith(input);
  const int out = fileWith("");
  Output output{run(in, out, work, threads), ""};
  output.text = readAll(out);
  close(in);
  close(out);
  return output;
}

TEST(LinePipeline, LinesKeepTheirNumbersAndOrderAcrossBlocksAndThreads) {
  // Lines of varied lengths over many blocks, one longer than three blocks, every tenth bad.
  std::string input;
  std::string expected;
  const std::string longLine = "L" + std::string(3 * kBlockBytes, 'x') + "L";
  for (int i = 1; i <= 60000; ++i) {
    std::string line =
        i == 30001 ? longLine
                   : (i % 10 == 0 ? "bad" : "p") + std::to_string(i) + std::string(i % 97, '.');
    input += line + "\n";
    expected += std::to_string(i) + ":" + line + "\n";
  }
  for (unsigned threads : {1u, 2u, 7u}) {
    SCOPED_TRACE(threads);
    const Output output = runOver(input, threads);
    EXPECT_EQ(output.result.lines, 60000u);
    EXPECT_EQ(output.result.failed, 6000u);
    EXPECT_EQ(output.result.stop, RunResult::Stop::kNone);
    ASSERT_EQ(output.text.size(), expected.size());
    EXPECT_TRUE(output.text == expected);
  }
}

TEST(LinePipeline, LineEndsEmptyLinesAndTheLastLine) {
  struct Case {
    std::string input;
    std::string output;
    std::uint64_t lines;
  };
  const std::vector<Case> cases = {
      {"", "", 0},
      {"a", "1:a\n", 1},
      {"a\n", "1:a\n", 1},
      {"a\r\nb\r\n", "1:a\n2:b\n", 2},
      // One carriage return before the line break is dropped, no other.
      {"a\r\r\n\rb\n c \n", "1:a\r\n2:\rb\n3: c \n", 3},
      // Empty lines are counted, not worked on.
      {"\n\na\n\r\n\nb", "3:a\n6:b\n", 6},
      {"\r", "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const Output output = runOver(c.input, 2);
    EXPECT_EQ(output.text, c.output);
    EXPECT_EQ(output.result.lines, c.lines);
    EXPECT_EQ(output.result.failed, 0u);
  }
}

TEST(LinePipeline, AFileOfOneLongLineWithoutALineBreak) {
  const std::string line(5 * kBlockBytes + 7, 'y');
  const Output output = runOver(line, 2);
  EXPECT_TRUE(output.text == "1:" + line + "\n");
  EXPECT_EQ(output.result.lines, 1u);
}

TEST(LinePipeline, ALineOverTheLimitStopsTheRunNamingItAfterTheLinesBefore) {
  // The longest line allowed is read; one byte more stops the run, the lines before it done.
  const std::string longest(kMaxLineBytes, 'y');
  EXPECT_EQ(runOver(longest + "\n", 1).result.stop, RunResult::Stop::kNone);
  for (const unsigned threads : {1u, 2u}) {
    const Output output = runOver("a\nb\n" + longest + "z\nc\n", threads);
    EXPECT_EQ(output.result.stop, RunResult::Stop::kReading);
    EXPECT_EQ(output.result.reason, "line 3 is longer than 16777216 bytes");
    // With one thread the lines before are written; with more, a worker may still hold them
    // when reading stops, so they are written or not, but never in part.
    if (threads == 1) {
      EXPECT_EQ(output.text, "1:a\n2:b\n");
    } else {
      EXPECT_TRUE(output.text.empty() || output.text == "1:a\n2:b\n") << output.text;
    }
  }
}

TEST(LinePipeline, WorkRunsOncePerLineOnSeveralThreads) {
  std::atomic<int> calls = 0;
  std::string input;
  for (int i = 0; i < 100000; ++i) input += "x\n";
  const Output output = runOver(input, 3, [&](std::string_view, std::uint64_t, std::string&) {
    ++calls;
    return false;
  });
  EXPECT_EQ(calls, 100000);
  EXPECT_EQ(output.result.failed, 100000u);
  EXPECT_EQ(output.text, "");
}

TEST(LinePipeline, ReadAndWriteErrorsStopTheRunWithTheSystemsReason) {
  const int folder = open("/", O_RDONLY | O_DIRECTORY);
  const int out = fileWith("");
  RunResult result = run(folder, out, echo, 2);
  EXPECT_EQ(result.stop, RunResult::Stop::kReading);
  EXPECT_EQ(result.reason, "Is a directory");
  close(folder);
  close(out);

  const int in = fileWith("a\nb\n");
  const int readOnly = open("/dev/null", O_RDONLY);
  result = run(in, readOnly, echo, 2);
  EXPECT_EQ(result.stop, RunResult::Stop::kWriting);
  EXPECT_EQ(result.reason, "Bad file descriptor");
  close(in);
  close(readOnly);
}

TEST(ForEachRange, CoversEveryIndexOnce) {
  for (std::size_t count : {0u, 1u, 5u, 1000u}) {
    for (unsigned threads : {1u, 2u, 7u}) {
      std::vector<std::atomic<int>> seen(count);
      forEachRange(count, threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) ++seen[i];
      });
      for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(seen[i], 1) << count << " " << threads;
    }
  }
}

TEST(ThreadCount, ZeroMeansTheCoresAndNoneGoesPastTheLimit) {
  EXPECT_EQ(threadCount(3), 3u);
  EXPECT_GE(threadCount(0), 1u);
  EXPECT_EQ(threadCount(kMaxThreads), kMaxThreads);
  EXPECT_EQ(threadCount(kMaxThreads + 1), kMaxThreads);
}

// A process or container limit may refuse threads: the work is done all the same, by the
// threads that started. Run in a child process whose address space leaves room for a few
// thread stacks only, far fewer than asked for.
TEST(Threads, ThoseTheSystemRefusesAreDoneWithout) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#else
  std::string input;
  std::string expected;
  for (int i = 1; i <= 20000; ++i) {
    input += "line" + std::to_string(i) + "\n";
    expected += std::to_string(i) + ":line" + std::to_string(i) + "\n";
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t used = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE);
    const rlimit limit{used + (64 << 20), used + (64 << 20)};
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
    std::vector<std::atomic<int>> seen(1000);
    forEachRange(seen.size(), 200, [&](std::size_t begin, std::size_t end) {
      for (std::size_t i = begin; i < end; ++i) ++seen[i];
    });
    for (const auto& times : seen) {
      if (times != 1) _exit(1);
    }
    _exit(runOver(input, 200).text == expected ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: an index missed or done twice; 2: wrong output";
#endif
}

}  // namespace
}  // namespace zelto::batch
