#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

// A fresh configuration folder, as a second launch of the app on the same phone would share.
std::string freshConfigHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelto-config-XXXXXX").string();
  return ::mkdtemp(pattern.data());
}

TEST(CurrenciesCli, UsesRecordedByOneRunShowInTheNext) {
  const std::vector<std::string> env = {"XDG_CONFIG_HOME=" + freshConfigHome(),
                                        "LC_ALL=en_US.UTF-8"};
  auto first = runCli({"currencies"}, "", env);
  EXPECT_EQ(first.status, 0) << first.err;
  const std::string empty = "Recently Used\nCurrencies\nAED - United Arab Emirates dirham\n";
  EXPECT_EQ(first.out.substr(0, empty.size()), empty);

  EXPECT_EQ(runCli({"currencies", "--use", "978"}, "", env).out, "Recorded a use of EUR - Euro\n");
  EXPECT_EQ(runCli({"currencies", "--use", "eur"}, "", env).status, 0);
  auto gbp = runCli({"currencies", "--use", "826"}, "", env);
  EXPECT_EQ(gbp.out, "Recorded a use of GBP - Pound sterling\n");
  EXPECT_EQ(runCli({"currencies", "--use", "USD"}, "", env).status, 0);
  EXPECT_EQ(runCli({"currencies", "--use", "356"}, "", env).status, 0);

  auto listed = runCli({"currencies"}, "", env);
  EXPECT_EQ(listed.status, 0) << listed.err;
  const std::string recent =
      "Recently Used\nINR - Indian rupee\nEUR - Euro\nGBP - Pound sterling\n"
      "Currencies\nAED - United Arab Emirates dirham\n";
  EXPECT_EQ(listed.out.substr(0, recent.size()), recent);
  // 177 currencies and two headings, each currency once.
  EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 179);
  EXPECT_EQ(listed.out.find("EUR - Euro"), listed.out.rfind("EUR - Euro"));
}

TEST(CurrenciesCli, SearchFiltersAsTheCurrencyListDoes) {
  const std::vector<std::string> env = {"XDG_CONFIG_HOME=" + freshConfigHome(),
                                        "LC_ALL=en_US.UTF-8"};
  runCli({"currencies", "--use", "840"}, "", env);
  auto usd = runCli({"currencies", "--search", "usd"}, "", env);
  EXPECT_EQ(usd.out, "Recently Used\nUSD - United States dollar\nCurrencies\n");
  EXPECT_EQ(runCli({"currencies", "--search", "USD"}, "", env).out, usd.out);
  auto krona = runCli({"currencies", "--search", "KRÓNA"}, "", env);
  EXPECT_EQ(krona.out, "Recently Used\nCurrencies\nISK - Icelandic króna\n");
  auto none = runCli({"currencies", "--search", "840"}, "", env);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "No currency matches \"840\".\n");
}

TEST(AmountCli, DigitEntryInTheFlowCurrency) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      {{"--currency", "840", "--keys", "1234"}, "$0.01\n$0.12\n$1.23\n$12.34\n12.34\n"},
      {{"--currency", "usd", "--keys", "1234<"}, "$0.01\n$0.12\n$1.23\n$12.34\n$1.23\n1.23\n"},
      {{"--currency", "JPY", "--keys", "1234"}, "¥1\n¥12\n¥123\n¥1,234\n1234\n"},
      {{"--currency", "368", "--keys", "1234"},
       "KWD\u00A00.001\nKWD\u00A00.012\nKWD\u00A00.123\nKWD\u00A01.234\n1.234\n"},
      {{"--currency", "840"}, "$0.00\n0.00\n"},
      {{"--currency", "840", "--keys", "<<"}, "$0.00\n$0.00\n0.00\n"},
      {{"--currency", "840", "--keys", "123456", "--locale", "de_DE"},
       "$0,01\n$0,12\n$1,23\n$12,34\n$123,45\n$1.234,56\n1234.56\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"amount"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    auto result = runCli(args, "", {"LC_ALL=en_US.UTF-8"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.out) << c.args[1];
  }
}

TEST(AmountCli, BadInputIsAnErrorNamingWhatIsWrong) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--currency", "84"}, "unknown currency \"84\""},
      {{"--currency", "222"}, "unknown currency \"222\""},
      {{"--currency", "ABC"}, "unknown currency \"ABC\""},
      {{"--currency", "840", "--keys", "12a"}, "--keys: 'a' is not a key"},
      {{"--currency", "840", "--locale", "xx_YY"}, "--locale: unknown locale \"xx_YY\""},
      {{"--keys", "12"}, "--currency is required"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"amount"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    auto result = runCli(args);
    EXPECT_EQ(result.status, 2) << c.message;
    EXPECT_EQ(result.out, "") << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

TEST(CurrenciesCli, UnknownCodesAreRefused) {
  const std::vector<std::string> env = {"XDG_CONFIG_HOME=" + freshConfigHome()};
  for (std::string code : {"999", "XXX", "abc", ""}) {
    auto result = runCli({"currencies", "--use", code}, "", env);
    EXPECT_EQ(result.status, 2) << code;
    EXPECT_NE(result.err.find("unknown currency \"" + code + "\""), std::string::npos)
        << result.err;
  }
  EXPECT_EQ(runCli({"currencies"}, "", env).out.substr(0, 25), "Recently Used\nCurrencies\n");
}

}  // namespace
}  // namespace zelto::testing
