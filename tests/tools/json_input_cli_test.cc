// Inputs every JSON-reading command must survive: deep nesting, many members, and a standard
// input that cannot be read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

using Args = std::vector<std::string>;

const std::vector<Args> kJsonCommands = {
    {"encode"}, {"encode", "--tags"}, {"encode", "--request-tags"},
    {"check"},  {"check", "--tags"},  {"check-refund"},
};

std::string nestedObjects(int levels) {
  std::string text;
  for (int i = 0; i < levels; ++i) text += "{\"62\": ";
  text += "\"x\"";
  for (int i = 0; i < levels; ++i) text += "}";
  return text;
}

TEST(JsonInputCli, NestingBeyondTheLimitIsAnErrorNeverACrash) {
  for (const Args& args : kJsonCommands) {
    for (int levels : {65, 100000}) {
      const auto result = runCli(args, nestedObjects(levels));
      EXPECT_EQ(result.status, 2) << args.back() << " " << levels;
      EXPECT_EQ(result.err,
                "zelto: JSON in standard input nested more than 64 levels deep at byte 449\n");
    }
  }
  const auto fields = runCli({"encode", "--request-tags", writeTempFile("t.json", "{}"), "--fields",
                              writeTempFile("deep.json", nestedObjects(65))});
  EXPECT_EQ(fields.status, 2);
  EXPECT_NE(fields.err.find("nested more than 64 levels"), std::string::npos) << fields.err;
  // 64 levels are read; the commands then answer about the content.
  EXPECT_EQ(runCli({"encode", "--tags"}, nestedObjects(64)).out.substr(0, 8), "62006304");
  EXPECT_EQ(runCli({"check-refund"}, nestedObjects(64)).err,
            "zelto: unknown refund field \"62\"\n");
}

TEST(JsonInputCli, ManyMembersAreReadWhole) {
  // 200 000 members, the tags last: every member is looked at, and the tag-and-name rule holds.
  std::string tags = "{\"merchantName\": \"Name\"";
  for (int i = 0; i < 200000; ++i) tags += ", \"filler" + std::to_string(i) + "\": \"x\"";
  tags += ", \"00\": \"01\", \"59\": \"Tag\", \"62\": {\"05\": \"R\"";
  for (int i = 0; i < 1000; ++i) tags += ", \"sub" + std::to_string(i) + "\": 1";
  tags += "}}";
  const auto encoded = runCli({"encode", "--tags"}, tags);
  EXPECT_EQ(encoded.status, 0) << encoded.err;
  EXPECT_EQ(encoded.out.substr(0, 25), "0002015903Tag62050501R630");

  // A key repeated 100 000 times: one member, with the last value.
  std::string request = "{\"billID\": \"0\"";
  for (int i = 1; i < 100000; ++i) request += ", \"billID\": \"" + std::to_string(i) + "\"";
  EXPECT_EQ(runCli({"encode"}, request + "}").out.substr(0, 19), "0002016209010599999");
}

TEST(JsonInputCli, UnreadableStandardInputIsAReadError) {
  const std::vector<Args> commands = {{"encode"}, {"check", "--tags"}, {"check-refund"},
                                      {"decode"}, {"validate"},        {"decode", "-"}};
  for (const Args& args : commands) {
    const auto folder = runCliWithStdin(args, "/");
    EXPECT_EQ(folder.status, 2) << args[0];
    EXPECT_EQ(folder.out, "") << args[0];
    EXPECT_EQ(folder.err, "zelto: cannot read standard input: Is a directory\n") << args[0];
    const auto closed = runCliWithStdin(args, "");
    EXPECT_EQ(closed.status, 2) << args[0];
    EXPECT_EQ(closed.err, "zelto: cannot read standard input: Bad file descriptor\n") << args[0];
  }
  EXPECT_EQ(runCli({"check", "/"}).err, "zelto: cannot read /: Is a directory\n");
}

}  // namespace
}  // namespace zelto::testing
