#include "base/user_defaults.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

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
  }
  FileUserDefaults reopened(file);
  EXPECT_EQ(reopened.string("a"), "text");
  EXPECT_EQ(reopened.integerDictionary("b"), (std::map<std::string, std::int64_t>{{"840", 2}}));
  EXPECT_EQ(reopened.object("c"), std::nullopt);
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

TEST_F(FileUserDefaultsTest, UnusableFilesReadAsEmptyAndUnusableFoldersRefuseWrites) {
  const fs::path file = folder / "defaults.json";
  for (std::string contents : {"", "{\"a\": ", "[1, 2]", "\"text\"", "\xff\xfe"}) {
    writeFile(file, contents);
    FileUserDefaults store(file);
    EXPECT_EQ(store.object("a"), std::nullopt) << contents;
    EXPECT_TRUE(store.set("a", "x"));
    EXPECT_EQ(json::parse(readFile(file)), (json{{"a", "x"}})) << contents;
  }
  // A file where the folder should be.
  writeFile(folder / "blocker", "not a folder");
  FileUserDefaults store(folder / "blocker" / "defaults.json");
  EXPECT_FALSE(store.set("a", 1));
  EXPECT_EQ(store.object("a"), std::nullopt);
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
