// The language of the library's texts: which string table is read, and which way text runs.
//
// Tables exist for English (the base), Arabic, Hindi, Indonesian, Thai, Vietnamese, Brazilian
// Portuguese, Spanish, French and Simplified Chinese, and for two pseudo-languages made from the
// English table to test layouts: "en-XA" (accented, about 40% longer, in brackets) and "ar-XB"
// (the English texts set right to left).
//
// The language in use is the one given to setLanguage(), else the device's: the first non-empty
// of LC_ALL, LC_MESSAGES and LANG, mapped to the nearest table ("pt_BR.UTF-8" is "pt-BR";
// "zh_CN", "zh_TW" and "zh-Hans" are "zh-Hans"; "es_MX" is "es"; "ar_SA" is "ar"), English when
// no table is near. It is a setting of the process, like the device language it stands in for:
// every flow and every screen shows one language.
//
// Thread-safety: any thread; a language set while a screen is being built may reach only part
// of it, so set it before a flow.
#ifndef ZELTO_BASE_LANGUAGE_H_
#define ZELTO_BASE_LANGUAGE_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelto::platform {

// "en", "ar", "hi", "id", "th", "vi", "pt-BR", "es", "fr", "zh-Hans", "en-XA", "ar-XB".
std::span<const std::string_view> supportedLanguages();

// The table nearest to a language code or locale ("pt_BR.UTF-8", "zh-Hant", "ar-XB"); absent
// when none is near.
std::optional<std::string> nearestLanguage(std::string_view locale);

// Sets the language for the whole process; false, changing nothing, when no table is near
// `locale`. useDeviceLanguage() goes back to the device's.
bool setLanguage(std::string_view locale);
void useDeviceLanguage();

// The language in use now.
std::string currentLanguage();

// Arabic and the right-to-left pseudo-language.
bool isRightToLeft(std::string_view language);

}  // namespace zelto::platform

#endif  // ZELTO_BASE_LANGUAGE_H_
