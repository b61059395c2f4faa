// The language of the texts: which table a locale reaches, that every table is complete and
// keeps its placeholders, and what the pseudo-languages make of the English texts.
#include "base/language.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "base/resource_bundle.h"

namespace zelto::platform {
namespace {

std::vector<std::string> placeholders(const std::string& text) {
  static const std::regex placeholder(R"(\[(currency|amount|Default Label|%name|%value)\])");
  std::vector<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), placeholder), end; it != end; ++it) {
    found.push_back(it->str());
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST(LanguageTest, EveryTableHasEveryEnglishKeyWithItsPlaceholders) {
  const std::vector<std::string> english = stringKeys("en");
  ASSERT_GT(english.size(), 40u);
  for (const std::string_view language : supportedLanguages()) {
    SCOPED_TRACE(language);
    EXPECT_EQ(stringKeys(language), english);
    for (const std::string& key : english) {
      const std::string text = localizedString(key, language);
      EXPECT_FALSE(text.empty()) << key;
      EXPECT_EQ(placeholders(text), placeholders(localizedString(key, "en"))) << key;
      // Only English and its pseudo-language may leave a text as English has it.
      if (language != "en" && language != "en-XA" && key.size() > 12) {
        EXPECT_NE(text, localizedString(key, "en")) << key << " is not translated";
      }
    }
  }
}

TEST(LanguageTest, LocalesReachTheNearestTable) {
  const std::pair<const char*, const char*> cases[] = {
      {"en_US.UTF-8", "en"}, {"ar_SA.UTF-8", "ar"},    {"hi_IN", "hi"},
      {"id_ID", "id"},       {"in_ID", "id"},          {"th_TH.UTF-8", "th"},
      {"vi-VN", "vi"},       {"pt_BR.UTF-8", "pt-BR"}, {"pt_PT", "pt-BR"},
      {"es_MX", "es"},       {"es-419", "es"},         {"fr_SN.UTF-8@euro", "fr"},
      {"zh_CN", "zh-Hans"},  {"zh-Hans", "zh-Hans"},   {"zh_TW", "zh-Hans"},
      {"EN-xa", "en-XA"},    {"ar-XB", "ar-XB"},       {"ar_XB", "ar-XB"},
  };
  for (const auto& [locale, language] : cases) {
    EXPECT_EQ(nearestLanguage(locale), language) << locale;
  }
  for (const char* far : {"", "C", "POSIX", "de_DE", "ja", "xx-XA", "arabic"}) {
    EXPECT_EQ(nearestLanguage(far), std::nullopt) << far;
  }
}

TEST(LanguageTest, TheDeviceLanguageComesFromTheMessagesLocaleUntilOneIsSet) {
  ::unsetenv("LC_ALL");
  ::setenv("LC_MESSAGES", "th_TH.UTF-8", 1);
  ::setenv("LANG", "fr_FR.UTF-8", 1);
  EXPECT_EQ(currentLanguage(), "th");
  ::setenv("LC_ALL", "hi_IN.UTF-8", 1);
  EXPECT_EQ(currentLanguage(), "hi");
  ::setenv("LC_ALL", "", 1);  // empty counts as unset
  ::unsetenv("LC_MESSAGES");
  EXPECT_EQ(currentLanguage(), "fr");
  ::setenv("LANG", "de_DE.UTF-8", 1);
  EXPECT_EQ(currentLanguage(), "en");  // no German table

  EXPECT_TRUE(setLanguage("ar_SA"));
  EXPECT_EQ(currentLanguage(), "ar");
  EXPECT_EQ(localizedString("ZELTO_CANCEL"), "إلغاء");
  EXPECT_TRUE(isRightToLeft(currentLanguage()));
  EXPECT_FALSE(setLanguage("klingon"));
  EXPECT_EQ(currentLanguage(), "ar");
  useDeviceLanguage();
  EXPECT_EQ(currentLanguage(), "en");
  EXPECT_FALSE(isRightToLeft("en"));
  EXPECT_TRUE(isRightToLeft("ar-XB"));
}

TEST(LanguageTest, AKeyWithoutTextIsShownAsItself) {
  EXPECT_EQ(localizedString("NO_SUCH_KEY", "vi"), "NO_SUCH_KEY");
  EXPECT_EQ(localizedString("ZELTO_OK", "no-such-language"), "OK");
}

TEST(LanguageTest, PseudoLanguagesKeepPlaceholdersAndChangeEverythingElse) {
  const std::string english = localizedString("Refund [currency] [amount]", "en");
  const std::string accented = localizedString("Refund [currency] [amount]", "en-XA");
  EXPECT_TRUE(accented.starts_with("[Ŕ") || accented.starts_with("[R")) << accented;
  EXPECT_NE(accented.find("[currency] [amount]"), std::string::npos) << accented;
  EXPECT_TRUE(accented.ends_with("]"));
  EXPECT_EQ(accented.find("Refund"), std::string::npos) << accented;  // accented letters
  // About 40% longer in characters (accents take two bytes each, so count code points).
  const auto codePoints = [](const std::string& text) {
    return std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
  };
  EXPECT_GE(codePoints(accented), codePoints(english) * 14 / 10);

  const std::string mirrored = localizedString("CONFIRM_REFUND_MESSAGE", "ar-XB");
  EXPECT_TRUE(mirrored.starts_with("\u200F")) << mirrored;
  EXPECT_NE(mirrored.find("\u202ERefund\u202C"), std::string::npos) << mirrored;
  EXPECT_NE(mirrored.find("[%value]"), std::string::npos);
  EXPECT_NE(mirrored.find("[%name]"), std::string::npos);
}

}  // namespace
}  // namespace zelto::platform
