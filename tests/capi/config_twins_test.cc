// Everything a C++ host can configure, a C host can too: every property of ZeltoConfig, read
// from its public header, has a reader (zelto_config_NAME...) and a writer
// (zelto_config_set_NAME) in the C interface, NAME being the property's name in snake case.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string snakeCase(const std::string& name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const bool upper = c >= 'A' && c <= 'Z';
    // A run of capitals is one word: "isTLVValidation" gives "is_tlv_validation".
    const auto lower = [&](std::size_t at) {
      return at < name.size() && name[at] >= 'a' && name[at] <= 'z';
    };
    // Digits belong to the word before them: "ForP2M" gives "for_p2m".
    const bool wordStart =
        upper && i > 0 &&
        (lower(i - 1) || (name[i - 1] >= 'A' && name[i - 1] <= 'Z' && lower(i + 1)));
    if (wordStart) out += '_';
    out += upper ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

// The public properties of ZeltoConfig: its public data members, and the names of accessor
// pairs (NAME() const with setNAME).
std::set<std::string> configProperties() {
  const std::string header = readFile(ZELTO_SOURCE_DIR "/include/zelto/sdk/zelto_config.h");
  const std::size_t publicPart = header.find(" public:");
  const std::string body = header.substr(publicPart, header.find(" private:") - publicPart);
  std::set<std::string> names;
  const std::regex member(
      R"(\n  (?:bool|int|platform::\w+|std::optional<[^;]*>) (\w+)(?: = [^;]*)?;)");
  for (std::sregex_iterator it(body.begin(), body.end(), member), end; it != end; ++it) {
    names.insert((*it)[1]);
  }
  const std::regex setter(R"(void set(\w+)\()");
  for (std::sregex_iterator it(body.begin(), body.end(), setter), end; it != end; ++it) {
    std::string name = (*it)[1];
    name[0] = static_cast<char>(name[0] - 'A' + 'a');
    names.insert(name);
  }
  return names;
}

TEST(ConfigTwinsTest, EveryConfigurationPropertyHasItsCFunctions) {
  const std::set<std::string> properties = configProperties();
  // The header's own properties, so that a parse that finds nothing cannot pass.
  ASSERT_TRUE(properties.contains("supportedNetworkImage"));
  ASSERT_TRUE(properties.contains("paymerchantTimeOutInSeconds"));
  ASSERT_TRUE(properties.contains("isTLVValidationRequiredForP2M"));
  ASSERT_GE(properties.size(), 16u);
  const std::string cHeader = readFile(ZELTO_SOURCE_DIR "/include/zelto/zelto.h");
  for (const std::string& property : properties) {
    const std::string name = snakeCase(property);
    EXPECT_NE(cHeader.find(" zelto_config_" + name), std::string::npos)
        << property << " has no C reader zelto_config_" << name;
    EXPECT_NE(cHeader.find(" zelto_config_set_" + name + "("), std::string::npos)
        << property << " has no C writer zelto_config_set_" << name;
  }
}

}  // namespace
