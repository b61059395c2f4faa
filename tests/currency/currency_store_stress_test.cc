// Concurrent writers of the recently used currencies, on one file: threads of this process,
// each with a store of its own, and forked processes, all at once. Every use must be counted.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "currency/kit_currency_data.h"

namespace zelto {
namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 25;
// One code per writer besides the 978 every writer records; the first kThreads are threads,
// the rest processes.
constexpr std::array<const char*, 7> kOwnCodes = {"840", "826", "356", "392", "36", "124", "756"};
constexpr std::size_t kThreads = 4;

// Records kRounds uses of 978 and of `ownCode`; false when any was not recorded.
bool recordUses(const fs::path& file, const char* ownCode) {
  platform::FileUserDefaults store(file);
  KitCurrencyData data;
  bool all = true;
  for (int round = 0; round < kRounds; ++round) {
    all = data.increaseCurrencyCount("978", store).recorded && all;
    all = data.increaseCurrencyCount(ownCode, store).recorded && all;
  }
  return all;
}

TEST(CurrencyStoreStress, ThreadsAndProcessesWritingAtOnceLoseNoUse) {
  std::string pattern = (fs::temp_directory_path() / "zelto-stress-XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  const fs::path file = folder / "user_defaults.json";

  // Processes first, while this process has one thread.
  std::vector<pid_t> children;
  for (std::size_t w = kThreads; w < kOwnCodes.size(); ++w) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(recordUses(file, kOwnCodes[w]) ? 0 : 1);
    children.push_back(child);
  }
  std::vector<std::thread> threads;
  std::array<bool, kThreads> recorded{};
  for (std::size_t w = 0; w < kThreads; ++w) {
    threads.emplace_back([&, w] { recorded[w] = recordUses(file, kOwnCodes[w]); });
  }
  for (std::thread& thread : threads) thread.join();
  for (pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "process " << child;
  }
  for (bool all : recorded) EXPECT_TRUE(all);

  std::map<std::string, std::int64_t> expected{
      {"978", kRounds * static_cast<std::int64_t>(kOwnCodes.size())}};
  for (const char* code : kOwnCodes) expected[code] = kRounds;
  platform::FileUserDefaults store(file);
  EXPECT_EQ(store.integerDictionary(KAllSelectedCurrencies), expected);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace zelto
