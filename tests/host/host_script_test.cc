#include "host/host_script.h"

#include <gtest/gtest.h>

namespace zelto::host {
namespace {

TEST(HostScript, SkipsBlankAndCommentLines) {
  for (const char* line : {"", "   \t", "\r", "# launch-request x.json", "  \t# tap X"}) {
    const ScriptLine parsed = parseScriptLine(line);
    EXPECT_FALSE(parsed.command) << line;
    EXPECT_EQ(parsed.error, "") << line;
  }
}

TEST(HostScript, ReadsEachCommandsArguments) {
  struct Case {
    const char* line;
    HostVerb verb;
    std::string target;
    std::string text;
    int count;
    double seconds;
    bool on;
  };
  const Case cases[] = {
      {"launch-request r.json", HostVerb::kLaunchRequest, "r.json", "", 1, 0, false},
      {"launch-request --tags t.json\r", HostVerb::kLaunchRequestTags, "t.json", "", 1, 0, false},
      {"  launch-refund\t\"my refund.json\"  ", HostVerb::kLaunchRefund, "my refund.json", "", 1, 0,
       false},
      {"type Amount_Field 12  34 ", HostVerb::kType, "Amount_Field", "12  34", 1, 0, false},
      {R"(type F " a\"b\u00e9 ")", HostVerb::kType, "F", " a\"b\xc3\xa9 ", 1, 0, false},
      {"type F", HostVerb::kType, "F", "", 1, 0, false},
      {"alert Cancel Refund", HostVerb::kAlert, "Cancel Refund", "", 1, 0, false},
      {"delete Bill_Number_Field", HostVerb::kDelete, "Bill_Number_Field", "", 1, 0, false},
      {"delete F 1000", HostVerb::kDelete, "F", "", 1000, 0, false},
      {"advance 179.5", HostVerb::kAdvance, "", "", 1, 179.5, false},
      {"advance 0", HostVerb::kAdvance, "", "", 1, 0, false},
      {"delegate on", HostVerb::kDelegate, "", "", 1, 0, true},
      {"snapshot out/qr.png", HostVerb::kSnapshot, "out/qr.png", "", 1, 0, false},
      {"end-flow", HostVerb::kEndFlow, "", "", 1, 0, false},
      {"currencies", HostVerb::kCurrencies, "", "", 1, 0, false},
      {"show", HostVerb::kShow, "", "", 1, 0, false},
      {"show Update_Payment_Details_Button", HostVerb::kShow, "Update_Payment_Details_Button", "",
       1, 0, false},
  };
  for (const auto& c : cases) {
    const ScriptLine parsed = parseScriptLine(c.line);
    ASSERT_TRUE(parsed.command) << c.line << ": " << parsed.error;
    EXPECT_EQ(parsed.command->verb, c.verb) << c.line;
    EXPECT_EQ(parsed.command->target, c.target) << c.line;
    EXPECT_EQ(parsed.command->text, c.text) << c.line;
    EXPECT_EQ(parsed.command->count, c.count) << c.line;
    EXPECT_EQ(parsed.command->seconds, c.seconds) << c.line;
    EXPECT_EQ(parsed.command->on, c.on) << c.line;
  }
}

TEST(HostScript, NamesWhatIsWrongWithABadLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"frobnicate X", "unknown command \"frobnicate\""},
      {"Tap X", "unknown command \"Tap\""},
      {"\"\" X", "unknown command \"\""},
      {"tap", "tap needs an ID"},
      {"tap \"\"", "an ID must not be empty"},
      {"tap A B", "tap takes no more arguments, not \"B\""},
      {"show A B", "show takes no more arguments, not \"B\""},
      {"currencies USD", "currencies takes no more arguments, not \"USD\""},
      {"launch-request", "launch-request needs a FILE"},
      {"launch-request --tags", "launch-request needs a FILE after --tags"},
      {"launch-request --tags a.json b.json",
       "launch-request takes no more arguments, not \"b.json\""},
      {"share", "share needs a FILE.png"},
      {"alert", "alert needs the TITLE of an action"},
      {"delete F 0", "N must be a whole number from 1 to 1000, not \"0\""},
      {"delete F 1001", "N must be a whole number from 1 to 1000, not \"1001\""},
      {"delete F 2.5", "N must be a whole number from 1 to 1000, not \"2.5\""},
      {"advance", "advance needs SECONDS"},
      {"advance -1", "SECONDS must be a number from 0 to 100000, not \"-1\""},
      {"advance 1e6", "SECONDS must be a number from 0 to 100000, not \"1e6\""},
      {"advance nan", "SECONDS must be a number from 0 to 100000, not \"nan\""},
      {"scroll Currency_Table", "scroll needs POINTS"},
      {"scroll T 1e6", "POINTS must be a number from -100000 to 100000, not \"1e6\""},
      {"delegate", "delegate takes on or off"},
      {"delegate yes", "delegate takes on or off"},
      {"tap \"Amount", "the quoted text has no closing quote"},
      {"tap \"A\\\"", "the quoted text has no closing quote"},
      {"tap \"A\"B", "a quoted argument must be followed by a space"},
      {"tap \"\\q\"", "the quoted text is not a valid JSON string"},
      {"type F \"a\" b", "nothing may follow the quoted text"},
      {"type F \"\xff\"", "the quoted text is not a valid JSON string"},
  };
  for (const auto& [line, error] : cases) {
    const ScriptLine parsed = parseScriptLine(line);
    EXPECT_FALSE(parsed.command) << line;
    EXPECT_EQ(parsed.error, error) << line;
  }
}

}  // namespace
}  // namespace zelto::host
