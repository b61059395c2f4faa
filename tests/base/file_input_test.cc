// The one reader of inputs: regular files and standard input only, never waiting, bounded; and
// the library's own readers of files (configuration images) going through it.
#include "base/file_input.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "sdk/config_json.h"

namespace zelto::files {
namespace {

namespace fs = std::filesystem;

class FileInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zelto-input-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    std::ofstream(folder / "ten.txt") << "0123456789";
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  }
  void TearDown() override { fs::remove_all(folder); }

  fs::path folder;
};

TEST_F(FileInputTest, OnlyRegularFilesWithinTheLimitAreRead) {
  const std::string ten = (folder / "ten.txt").string();
  struct Case {
    std::string path;
    std::size_t limit;
    std::string error;  // "" when the ten bytes are read
  };
  const Case cases[] = {
      {ten, kMaxInputBytes, ""},
      {ten, 10, ""},
      {ten, 9, "cannot read " + ten + ": larger than the 9 bytes an input may hold"},
      {folder.string(), kMaxInputBytes,
       "cannot read " + folder.string() + ": a folder, not a regular file"},
      {(folder / "fifo").string(), kMaxInputBytes,
       "cannot read " + (folder / "fifo").string() + ": a FIFO, not a regular file"},
      {"/dev/zero", kMaxInputBytes,
       "cannot read /dev/zero: a character device, not a regular file"},
      {(folder / "none").string(), kMaxInputBytes,
       "cannot read " + (folder / "none").string() + ": No such file or directory"},
  };
  for (const Case& c : cases) {
    for (const Contents& read : {files::read(c.path, c.limit), readFile(c.path, c.limit)}) {
      EXPECT_EQ(read.error, c.error) << c.path;
      EXPECT_EQ(read.text,
                c.error.empty() ? std::optional<std::string>("0123456789") : std::nullopt)
          << c.path;
    }
  }
  EXPECT_EQ(files::read(ten, 1024 * 1024 - 1).text, "0123456789");
  std::ofstream(folder / "big.txt") << std::string(2 * 1024 * 1024, 'x');
  EXPECT_EQ(
      files::read((folder / "big.txt").string(), 1024 * 1024).error,
      "cannot read " + (folder / "big.txt").string() + ": larger than the 1 MiB an input may hold");
  // "-" is standard input for read() and open(), a file name for readFile().
  EXPECT_TRUE(open("-").standardInput);
  EXPECT_EQ(readFile("-").error, "cannot read -: No such file or directory");
}

TEST_F(FileInputTest, ConfigurationImagesAreReadThroughTheSameReader) {
  const auto config = configFromJson(nlohmann::ordered_json{{"issuerBackButton", "fifo"}}, folder);
  EXPECT_FALSE(config.config);
  EXPECT_EQ(config.error, "\"issuerBackButton\" is not a readable file: cannot read " +
                              (folder / "fifo").string() + ": a FIFO, not a regular file");
}

}  // namespace
}  // namespace zelto::files
