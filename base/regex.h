// Regular expressions over UTF-8 text, in ICU's syntax without options.
//
// Thread-safety: every function may be called from any thread; compiled patterns are kept per
// thread.
#ifndef ZELTO_BASE_REGEX_H_
#define ZELTO_BASE_REGEX_H_

#include <string_view>

namespace zelto::text {

// True when `text` holds at least one match of `pattern`. A pattern that does not compile gives
// false and a message on the debug console (base/debug_console.h).
bool isMatchingRegex(std::string_view pattern, std::string_view text);

// True when `text` has fewer than 2 characters, otherwise whether its second character alone
// matches `pattern`.
bool isValidFormat(std::string_view text, std::string_view pattern);

}  // namespace zelto::text

#endif  // ZELTO_BASE_REGEX_H_
