#include "base/user_defaults.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/debug_console.h"

namespace zelto::platform {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Each test works in a scratch folder of its own.
class FileUserDefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zelto-defaults-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
  }
  void TearDown() override { fs::remove_all(folder); }

  fs::path folder;
};

std::string readFile(const fs::path& file) {
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& file, const std::string& contents) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << contents;
}

TEST_F(FileUserDefaultsTest, ValuesSurviveANewStoreOnTheSameFile) {
  fs::path file = folder / "sub" / "defaults.json";
  {
    FileUserDefaults store(file);
    EXPECT_EQ(store.object("a"), std::nullopt);
    EXPECT_TRUE(store.set("a", "text"));
    EXPECT_TRUE(store.set("b", json{{"840", 2}}));
    EXPECT_TRUE(store.set("c", 1));
    EXPECT_TRUE(store.remove("c"));
    // Text that is not UTF-8 is stored, as U+FFFD, rather than failing the write.
    EXPECT_TRUE(store.set("d", std::string("x\xff")));
  }
  FileUserDefaults reopened(file);
  EXPECT_EQ(reopened.string("a"), "text");
  EXPECT_EQ(reopened.integerDictionary("b"), (std::map<std::string, std::int64_t>{{"840", 2}}));
  EXPECT_EQ(reopened.object("c"), std::nullopt);
  EXPECT_EQ(reopened.string("d"), "x\uFFFD");
  // No temporary file is left behind, and one that a crashed writer left goes with the next write.
  writeFile(file.parent_path() / "defaults.json.Ab12Cd", "{\"half\": ");
  EXPECT_TRUE(reopened.set("c", 2));
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(file.parent_path())) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::set<std::string>{"defaults.json", "defaults.json.lock"}));
}

TEST_F(FileUserDefaultsTest, AWriteThatFailsHalfwayLeavesTheOldFile) {
  fs::path file = folder / "defaults.json";
  FileUserDefaults store(file);
  ASSERT_TRUE(store.set("currency", "840"));
  const std::string before = readFile(file);
  // A child whose files may not grow past 1000 bytes: the write of a 5000-byte value stops
  // partway, as it would on a full disk or in a crash.
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(FileUserDefaults(file).set("big", std::string(5000, 'x')) ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write should fail";
  EXPECT_EQ(readFile(file), before);
  EXPECT_EQ(store.string("currency"), "840");
  EXPECT_EQ(store.object("big"), std::nullopt);
}

TEST_F(FileUserDefaultsTest, StoresThatCannotBeReadReadAsEmptyAndTheNextWriteReplacesThem) {
  const fs::path file = folder / "defaults.json";
  // The largest store that is read, and one byte more.
  const std::string padding(kMaxStoreBytes - std::string("{\"a\": \"y\", \"p\": \"\"}").size(),
                            'p');
  const std::string largest = "{\"a\": \"y\", \"p\": \"" + padding + "\"}";
  ASSERT_EQ(largest.size(), kMaxStoreBytes);
  FileUserDefaults largestStore(file);
  writeFile(file, largest);
  EXPECT_EQ(largestStore.string("a"), "y");

  struct Case {
    const char* name;
    std::function<void()> make;
  };
  const Case cases[] = {
      {"empty", [&] { writeFile(file, ""); }},
      {"cut short", [&] { writeFile(file, "{\"a\": "); }},
      {"an array", [&] { writeFile(file, "[1, 2]"); }},
      {"a string", [&] { writeFile(file, "\"text\""); }},
      {"not UTF-8", [&] { writeFile(file, "\xff\xfe"); }},
      {"a NUL then more", [&] { writeFile(file, std::string("{\"a\": \"y\"}\0{\"b\"", 15)); }},
      {"one byte too large", [&] { writeFile(file, largest + " "); }},
      {"a FIFO, which must not be waited on", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); }},
  };
  for (const Case& c : cases) {
    fs::remove(file);
    c.make();
    FileUserDefaults store(file);
    EXPECT_EQ(store.object("a"), std::nullopt) << c.name;
    EXPECT_TRUE(store.set("b", "x")) << c.name;
    EXPECT_TRUE(fs::is_regular_file(file)) << c.name;
    EXPECT_EQ(json::parse(readFile(file)), (json{{"b", "x"}})) << c.name;
  }
}

TEST_F(FileUserDefaultsTest, WritesThatCannotBeStoredSayWhyAndChangeNothing) {
  // A file where the folder should be, and a folder where the file should be.
  writeFile(folder / "blocker", "not a folder");
  FileUserDefaults underFile(folder / "blocker" / "defaults.json");
  fs::create_directories(folder / "taken" / "defaults.json");
  FileUserDefaults onFolder(folder / "taken" / "defaults.json");
  struct Case {
    const char* name;
    FileUserDefaults& store;
    std::string reason;
  };
  const Case cases[] = {
      {"file for a folder", underFile,
       "cannot create " + (folder / "blocker").string() + ": Not a directory"},
      {"folder for a file", onFolder,
       "cannot replace " + (folder / "taken" / "defaults.json").string() + ": Is a directory"},
  };
  for (const Case& c : cases) {
    ScopedDebugConsoleCapture console;
    EXPECT_EQ(c.store.change([](json& values) { values["a"] = 1; }), c.reason) << c.name;
    EXPECT_EQ(console.lines(), std::vector<std::string>{"User defaults not saved: " + c.reason})
        << c.name;
    EXPECT_FALSE(c.store.set("a", 1)) << c.name;
    EXPECT_EQ(c.store.object("a"), std::nullopt) << c.name;
  }
  EXPECT_TRUE(fs::is_directory(folder / "taken" / "defaults.json"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder / "taken"), fs::directory_iterator()), 2)
      << "the folder and the lock file, no temporary file";

  // A write whose result would pass the limit is refused; what was stored stays.
  FileUserDefaults store(folder / "defaults.json");
  ASSERT_TRUE(store.set("a", "y"));
  ScopedDebugConsoleCapture console;
  EXPECT_FALSE(store.set("big", std::string(kMaxStoreBytes, 'x')));
  EXPECT_EQ(store.string("a"), "y");
  EXPECT_EQ(store.object("big"), std::nullopt);
  ASSERT_EQ(console.lines().size(), 1u);
  EXPECT_TRUE(console.lines()[0].ends_with("bytes is more than the 65536 a store may hold"))
      << console.lines()[0];
}

TEST_F(FileUserDefaultsTest, TheStandardStoreFollowsXdgConfigHomeThenHome) {
  ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
  ::setenv("HOME", "/home/merchant", 1);
  EXPECT_EQ(FileUserDefaults::defaultPath(), fs::path("/xdg/ZeltoMerchantSDK/user_defaults.json"));
  const fs::path underHome = "/home/merchant/.config/ZeltoMerchantSDK/user_defaults.json";
  ::setenv("XDG_CONFIG_HOME", "relative/path", 1);
  EXPECT_EQ(FileUserDefaults::defaultPath(), underHome);
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(FileUserDefaults::defaultPath(), underHome);
  ::unsetenv("HOME");
  EXPECT_EQ(FileUserDefaults::defaultPath(), std::nullopt);
  // Restoring the standard store after a replacement gives a store on the default file.
  ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  UserDefaults::setStandard(std::make_shared<InMemoryUserDefaults>());
  UserDefaults::setStandard(nullptr);
  UserDefaults::standard().set("a", 2);
  EXPECT_EQ(json::parse(readFile(folder / "ZeltoMerchantSDK" / "user_defaults.json")),
            (json{{"a", 2}}));
}

TEST(UserDefaultsTest, TypedReadersTreatOtherTypesAsAbsent) {
  struct Case {
    json stored;
    std::optional<std::string> asString;
    std::optional<std::map<std::string, std::int64_t>> asCounts;
  };
  const Case cases[] = {
      {"840", "840", std::nullopt},
      {840, std::nullopt, std::nullopt},
      {json::object(), std::nullopt, std::map<std::string, std::int64_t>{}},
      {{{"840", 3}, {"978", -1}}, std::nullopt, {{{"840", 3}, {"978", -1}}}},
      {{{"840", 3}, {"978", "2"}}, std::nullopt, std::nullopt},
      {{{"840", 1.5}}, std::nullopt, std::nullopt},
      {{{"840", 18446744073709551615u}}, std::nullopt, std::nullopt},
      {json::array({"840"}), std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    InMemoryUserDefaults store;
    store.set("key", c.stored);
    EXPECT_EQ(store.string("key"), c.asString) << c.stored;
    EXPECT_EQ(store.integerDictionary("key"), c.asCounts) << c.stored;
  }
}

}  // namespace
}  // namespace zelto::platform
