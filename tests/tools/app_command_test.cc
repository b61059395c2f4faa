#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The window's library is loaded when the window opens: the tool still opens one. Drawn in
// software, off screen, as the front end's own tests draw.
TEST(AppCli, OpensItsWindow) {
  const CliResult opened = runCli({"app", "--check"}, "",
                                  {"SDL_VIDEODRIVER=offscreen", "SDL_RENDER_DRIVER=software",
                                   "SDL_FRAMEBUFFER_ACCELERATION=0"});
  EXPECT_EQ(opened.status, 0) << opened.err;
}

// ...and a command that opens no window does not load it at start. With this variable set, the
// dynamic loader lists what the program needs and runs nothing of it.
TEST(AppCli, CommandsWithoutAWindowDoNotLoadTheWindowsLibrary) {
  const CliResult listed = runCli({"crc", "0002"}, "", {"LD_TRACE_LOADED_OBJECTS=1"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_THAT(listed.out, HasSubstr("libc.so"));
  EXPECT_THAT(listed.out, Not(HasSubstr("SDL")));
}

}  // namespace
}  // namespace zelto::testing
