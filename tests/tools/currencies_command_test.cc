#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

using Args = std::vector<std::string>;

// A fresh configuration folder, as each launch of the app on one phone would share.
Args freshEnvironment() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelto-config-XXXXXX").string();
  return {"XDG_CONFIG_HOME=" + std::string(::mkdtemp(pattern.data())), "LC_ALL=en_US.UTF-8"};
}

TEST(CurrenciesCli, UsesRecordedByOneRunShowInTheNext) {
  const Args env = freshEnvironment();
  const std::string empty = "Recently Used\nCurrencies\nAED - United Arab Emirates dirham\n";
  EXPECT_EQ(runCli({"currencies"}, "", env).out.substr(0, empty.size()), empty);
  EXPECT_EQ(runCli({"currencies", "--use", "978"}, "", env).out, "Recorded a use of EUR - Euro\n");
  for (std::string code : {"eur", "826", "USD", "356"}) {
    EXPECT_EQ(runCli({"currencies", "--use", code}, "", env).status, 0) << code;
  }
  auto listed = runCli({"currencies"}, "", env);
  EXPECT_EQ(listed.status, 0) << listed.err;
  const std::string recent =
      "Recently Used\nINR - Indian rupee\nEUR - Euro\nGBP - Pound sterling\n"
      "Currencies\nAED - United Arab Emirates dirham\n";
  EXPECT_EQ(listed.out.substr(0, recent.size()), recent);
  // 177 currencies and two headings, each currency once.
  EXPECT_EQ(std::ranges::count(listed.out, '\n'), 179);
  EXPECT_EQ(listed.out.find("EUR - Euro"), listed.out.rfind("EUR - Euro"));
}

TEST(CurrenciesCli, SearchFiltersAsTheCurrencyListDoes) {
  const Args env = freshEnvironment();
  runCli({"currencies", "--use", "840"}, "", env);
  EXPECT_EQ(runCli({"currencies", "--search", "usd"}, "", env).out,
            "Recently Used\nUSD - United States dollar\nCurrencies\n");
  EXPECT_EQ(runCli({"currencies", "--search", "KRÓNA"}, "", env).out,
            "Recently Used\nCurrencies\nISK - Icelandic króna\n");
  auto none = runCli({"currencies", "--search", "840"}, "", env);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "No currency matches \"840\".\n");
}

TEST(CurrenciesCli, UsesRecordedByConcurrentRunsAreAllCounted) {
  const Args env = freshEnvironment();
  constexpr int kProcesses = 4;
  constexpr int kRounds = 10;
  std::vector<pid_t> writers;
  for (int p = 0; p < kProcesses; ++p) {
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      // Each writer runs the tool kRounds times, one after another.
      for (int round = 0; round < kRounds; ++round) {
        if (runCli({"currencies", "--use", "978"}, "", env).status != 0) ::_exit(1);
      }
      ::_exit(0);
    }
    writers.push_back(writer);
  }
  for (pid_t writer : writers) {
    int status = 0;
    ::waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::string store =
      env[0].substr(env[0].find('=') + 1) + "/ZeltoMerchantSDK/user_defaults.json";
  std::ifstream in(store);
  EXPECT_EQ(nlohmann::json::parse(in)["ZELTOSelectedCurrencies"],
            (nlohmann::json{{"978", kProcesses * kRounds}}));
}

TEST(CurrenciesCli, AStoreThatCannotBeReadListsNothingAndOneThatCannotBeWrittenIsAnError) {
  struct Case {
    const char* name;
    std::function<void(const std::filesystem::path& folder)> make;
    int useStatus;
    std::string error;  // part of what --use prints on stderr
  };
  namespace fs = std::filesystem;
  const Case cases[] = {
      {"a file where the folder should be",
       [](const fs::path& folder) { std::ofstream(folder / "ZeltoMerchantSDK") << "x"; }, 2,
       "ZeltoMerchantSDK: Not a directory"},
      {"a folder where the store should be",
       [](const fs::path& folder) {
         fs::create_directories(folder / "ZeltoMerchantSDK" / "user_defaults.json");
       },
       2, "user_defaults.json: Is a directory"},
      {"a FIFO where the store should be",
       [](const fs::path& folder) {
         fs::create_directories(folder / "ZeltoMerchantSDK");
         ::mkfifo((folder / "ZeltoMerchantSDK" / "user_defaults.json").c_str(), 0600);
       },
       0, ""},
      {"garbage",
       [](const fs::path& folder) {
         fs::create_directories(folder / "ZeltoMerchantSDK");
         std::ofstream(folder / "ZeltoMerchantSDK" / "user_defaults.json") << "{\"ZELTO";
       },
       0, ""},
  };
  for (const Case& c : cases) {
    const Args env = freshEnvironment();
    c.make(env[0].substr(env[0].find('=') + 1));
    const auto listed = runCli({"currencies", "--search", "EUR"}, "", env);
    EXPECT_EQ(listed.status, 0) << c.name << ": " << listed.err;
    const std::string nothingRecent = "Recently Used\nCurrencies\nEUR - Euro\nXBA";
    EXPECT_EQ(listed.out.substr(0, nothingRecent.size()), nothingRecent) << c.name;
    // The host's currency list reads the same store and goes on to the next line.
    const std::string request =
        (std::filesystem::path(__FILE__).parent_path().parent_path() / "host/requests/store.json")
            .string();
    const auto host =
        runCli({"host", "-"}, "launch-request " + request + "\ncurrencies\nend-flow\n", env);
    EXPECT_EQ(host.status, 0) << c.name << ": " << host.out << host.err;
    EXPECT_NE(host.out.find("{\"line\":2,\"command\":\"currencies\",\"active\":"),
              std::string::npos)
        << c.name << ": " << host.out;
    EXPECT_NE(host.out.find("{\"line\":3,\"command\":\"end-flow\"}"), std::string::npos) << c.name;
    const auto used = runCli({"currencies", "--use", "978"}, "", env);
    EXPECT_EQ(used.status, c.useStatus) << c.name << ": " << used.err;
    if (c.useStatus == 0) {
      EXPECT_EQ(used.err, "") << c.name;
      const std::string euroRecent = "Recently Used\nEUR - Euro\nCurrencies\nXBA";
      EXPECT_EQ(runCli({"currencies", "--search", "EUR"}, "", env).out.substr(0, euroRecent.size()),
                euroRecent)
          << c.name;
    } else {
      EXPECT_EQ(used.out, "") << c.name;
      EXPECT_TRUE(used.err.starts_with("zelto: the use of currency 978 was not recorded: "))
          << c.name << ": " << used.err;
      EXPECT_NE(used.err.find(c.error), std::string::npos) << c.name << ": " << used.err;
      EXPECT_EQ(std::ranges::count(used.err, '\n'), 1) << c.name << ": " << used.err;
    }
  }
}

TEST(CurrenciesCli, UnknownCodesAreRefusedAndNotRecorded) {
  const Args env = freshEnvironment();
  for (std::string code : {"999", "XXX", "abc", ""}) {
    auto result = runCli({"currencies", "--use", code}, "", env);
    EXPECT_EQ(result.status, 2) << code;
    EXPECT_NE(result.err.find("unknown currency \"" + code + "\""), std::string::npos)
        << result.err;
  }
  EXPECT_EQ(runCli({"currencies"}, "", env).out.substr(0, 25), "Recently Used\nCurrencies\n");
}

TEST(AmountCli, DigitEntryInTheFlowCurrencyAndBadInput) {
  struct Case {
    Args args;
    int status;
    std::string text;  // the whole output, or a part of the error
  };
  const Case cases[] = {
      {{"--currency", "840", "--keys", "1234"}, 0, "$0.01\n$0.12\n$1.23\n$12.34\n12.34\n"},
      {{"--currency", "usd", "--keys", "1234<"}, 0, "$0.01\n$0.12\n$1.23\n$12.34\n$1.23\n1.23\n"},
      {{"--currency", "JPY", "--keys", "1234"}, 0, "¥1\n¥12\n¥123\n¥1,234\n1234\n"},
      {{"--currency", "368", "--keys", "1234"},
       0,
       "KWD\u00A00.001\nKWD\u00A00.012\nKWD\u00A00.123\nKWD\u00A01.234\n1.234\n"},
      {{"--currency", "840"}, 0, "$0.00\n0.00\n"},
      {{"--currency", "840", "--keys", "<<"}, 0, "$0.00\n$0.00\n0.00\n"},
      {{"--currency", "840", "--keys", "123456", "--locale", "de_DE"},
       0,
       "$0,01\n$0,12\n$1,23\n$12,34\n$123,45\n$1.234,56\n1234.56\n"},
      // Offered by the currency table without a locale: the device locale's currency.
      {{"--currency", "SVC", "--keys", "12"}, 0, "$0.01\n$0.12\n0.12\n"},
      {{"--currency", "933", "--keys", "1"}, 0, "$0.01\n0.01\n"},
      {{"--currency", "zwl", "--keys", "1", "--locale", "de_DE"}, 0, "0,01\u00A0€\n0.01\n"},
      {{"--currency", "84"}, 2, "unknown currency \"84\""},
      {{"--currency", "223"}, 2, "unknown currency \"223\""},
      {{"--currency", "ABC"}, 2, "unknown currency \"ABC\""},
      {{"--currency", "840", "--keys", "12a"}, 2, "--keys: 'a' is not a key"},
      {{"--currency", "840", "--locale", "xx_YY"}, 2, "--locale: unknown locale \"xx_YY\""},
      {{"--keys", "12"}, 2, "--currency is required"},
  };
  for (const Case& c : cases) {
    Args args = {"amount"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    auto result = runCli(args, "", {"LC_ALL=en_US.UTF-8"});
    EXPECT_EQ(result.status, c.status) << c.text << result.err;
    EXPECT_EQ(result.out, c.status == 0 ? c.text : "") << c.text;
    EXPECT_TRUE(c.status == 0 || result.err.find(c.text) != std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace zelto::testing
