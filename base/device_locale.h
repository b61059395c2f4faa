// The device's locale, as the phone platform's "current locale" would give it.
//
// It is read from the environment on every call, so a change takes effect at once: the first
// non-empty of LC_ALL, LC_MONETARY and LANG (the POSIX order for monetary formatting). The
// character set and modifier are dropped ("de_DE.UTF-8@euro" is "de_DE"), BCP 47 tags are
// accepted ("de-DE"), and "C", "POSIX" or nothing at all mean "en_US_POSIX". The result is in
// ICU's canonical form.
//
// Thread-safety: any thread, as long as nobody changes the environment meanwhile.
#ifndef ZELTO_BASE_DEVICE_LOCALE_H_
#define ZELTO_BASE_DEVICE_LOCALE_H_

#include <string>
#include <string_view>

namespace zelto::platform {

// "de_DE", "en_US_POSIX", ...
std::string deviceLocaleIdentifier();

// The language code of the device locale: "de", "ar", "en".
std::string deviceLanguageCode();

// `identifier` (POSIX or BCP 47 form) in ICU's canonical form, by the rules above.
std::string canonicalLocaleIdentifier(std::string_view identifier);

// True when ICU knows the language of `identifier` (after canonicalLocaleIdentifier), so that
// a user-given locale such as "xx_YY" can be refused.
bool isKnownLocale(std::string_view identifier);

}  // namespace zelto::platform

#endif  // ZELTO_BASE_DEVICE_LOCALE_H_
