// Inputs every JSON-reading command must survive: deep nesting, many members, a standard input
// that cannot be read, files that are not regular or too large, content after the value and
// control characters.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
}

TEST(JsonInputCli, OnlyRegularFilesOfAtMost16MiBAreRead) {
  const std::string fifo = scratchFolder() + "/no-writer.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string largest =
      writeTempFile("largest.json", "{}" + std::string(16 * 1024 * 1024 - 2, ' '));
  const std::string tooLarge =
      writeTempFile("too-large.json", "{}" + std::string(16 * 1024 * 1024 - 1, ' '));
  struct Case {
    std::string file;
    std::string reason;  // "" when it is read
  };
  const Case cases[] = {
      {"/", "a folder, not a regular file"},
      {"/dev/zero", "a character device, not a regular file"},
      {fifo, "a FIFO, not a regular file"},
      {tooLarge, "larger than the 16 MiB an input may hold"},
      {largest, ""},
  };
  for (const Case& c : cases) {
    for (const Args& command : {Args{"check-refund"}, Args{"encode", "--tags"}}) {
      Args args = command;
      args.push_back(c.file);
      const auto result = runCli(args);
      if (c.reason.empty()) {
        EXPECT_EQ(result.err.find("cannot read"), std::string::npos) << c.file << result.err;
        continue;
      }
      EXPECT_EQ(result.status, 2) << c.file;
      EXPECT_EQ(result.err, "zelto: cannot read " + c.file + ": " + c.reason + "\n") << c.file;
    }
    // Line by line, a file is a stream of any length, but still a regular file.
    if (c.reason.ends_with("not a regular file")) {
      EXPECT_EQ(runCli({"validate", "--lines", c.file}).err,
                "zelto: cannot read " + c.file + ": " + c.reason + "\n");
    }
  }
  // Standard input may be anything readable, within the same bound.
  EXPECT_EQ(runCli({"encode", "--tags"}, "{}" + std::string(16 * 1024 * 1024 - 1, ' ')).err,
            "zelto: cannot read standard input: larger than the 16 MiB an input may hold\n");
  // The host script refuses what it launches the same way, line by line, and goes on.
  const auto host = runCli({"host", "-"}, "launch-request /dev/zero\nlaunch-refund " + fifo +
                                              "\nlaunch-request --tags /\n");
  EXPECT_EQ(host.status, 1);
  EXPECT_EQ(host.out,
            "{\"line\":1,\"command\":\"launch-request\",\"target\":\"/dev/zero\",\"error\":"
            "\"cannot read /dev/zero: a character device, not a regular file\"}\n"
            "{\"line\":2,\"command\":\"launch-refund\",\"target\":\"" +
                fifo + "\",\"error\":\"cannot read " + fifo +
                ": a FIFO, not a regular file\"}\n"
                "{\"line\":3,\"command\":\"launch-request\",\"target\":\"/\",\"error\":"
                "\"cannot read /: a folder, not a regular file\"}\n");
}

TEST(JsonInputCli, NothingButWhiteSpaceFollowsTheValueAndNoStringHoldsAControlCharacter) {
  struct Case {
    std::string input;
    std::string error;
  };
  const Case cases[] = {
      {std::string("{\"59\": \"AB\"}\0garbage", 20),
       "invalid JSON in standard input at byte 13: a NUL byte after the JSON value, where only "
       "white space may follow"},
      {std::string("{\"59\": \"AB\"} \n\0", 15),
       "invalid JSON in standard input at byte 15: a NUL byte after the JSON value, where only "
       "white space may follow"},
      {std::string("{\"59\":\0 \"AB\"}", 13),
       "invalid JSON in standard input at byte 7: a NUL byte, which JSON text cannot hold"},
      {std::string("{\"59\": \"A\0B\"}", 13),
       "invalid JSON in standard input at byte 10: a NUL byte, which JSON text cannot hold"},
      {"{\"59\": \"AB\"} x", "invalid JSON in standard input at byte 14: "},
      {"{\"59\": \"A\\u0000B Store\"}",
       "JSON in standard input at byte 10: a string holds U+0000, a control character, which no "
       "value may hold"},
      {"{\"59\": \"AB\", \"60\": \"x\\ty\"}",
       "JSON in standard input at byte 22: a string holds U+0009, a control character, which no "
       "value may hold"},
      {"{\"5\\u001f9\": \"AB\"}",
       "JSON in standard input at byte 4: a string holds U+001F, a control character, which no "
       "value may hold"},
      {"{\"59\": \"A\x7f\"}",
       "JSON in standard input at byte 10: a string holds U+007F, a control character, which no "
       "value may hold"},
      {"{\"59\": [\"\xc2\x85\"]}",
       "JSON in standard input at byte 10: a string holds U+0085, a control character, which no "
       "value may hold"},
  };
  for (const Args& args : kJsonCommands) {
    for (const Case& c : cases) {
      const auto result = runCli(args, c.input);
      EXPECT_EQ(result.status, 2) << args.back() << " " << c.error;
      EXPECT_EQ(result.out, "") << args.back();
      EXPECT_TRUE(result.err.starts_with("zelto: " + c.error)) << args.back() << ": " << result.err;
    }
  }
}

}  // namespace
}  // namespace zelto::testing
