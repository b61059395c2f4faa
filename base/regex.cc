#include "base/regex.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <map>
#include <memory>
#include <string>

#include "base/debug_console.h"
#include "base/text.h"

namespace zelto::text {

bool isMatchingRegex(std::string_view pattern, std::string_view text) {
  thread_local std::map<std::string, std::unique_ptr<icu::RegexPattern>, std::less<>> compiled;
  auto it = compiled.find(pattern);
  if (it == compiled.end()) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::RegexPattern> built(
        icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(icu::StringPiece(
                                       pattern.data(), static_cast<std::int32_t>(pattern.size()))),
                                   0, parseError, status));
    if (U_FAILURE(status)) built.reset();
    it = compiled.emplace(std::string(pattern), std::move(built)).first;
  }
  if (!it->second) {
    platform::debugPrint("Error: invalid regular expression " + std::string(pattern));
    return false;
  }
  const icu::UnicodeString subject = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::RegexMatcher> matcher(it->second->matcher(subject, status));
  if (U_FAILURE(status)) return false;
  const bool found = matcher->find(status);
  return U_SUCCESS(status) && found;
}

bool isValidFormat(std::string_view text, std::string_view pattern) {
  const auto first = advanceCharacters(text, 1);
  const auto second = advanceCharacters(text, 2);
  if (!first || !second) return true;
  return isMatchingRegex(pattern, text.substr(*first, *second - *first));
}

}  // namespace zelto::text
