#include "base/device_locale.h"

#include <unicode/locid.h>
#include <unicode/uloc.h>

#include <cstdlib>

namespace zelto::platform {
namespace {

constexpr std::string_view kPosixLocale = "en_US_POSIX";

std::string_view environmentLocale() {
  for (const char* name : {"LC_ALL", "LC_MONETARY", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace

std::string canonicalLocaleIdentifier(std::string_view identifier) {
  std::string_view base = identifier.substr(0, identifier.find_first_of(".@"));
  if (base.empty() || base == "C" || base == "POSIX") return std::string(kPosixLocale);
  std::string id(base);
  icu::Locale locale = id.find('-') != std::string::npos
                           ? [&] {
                               UErrorCode status = U_ZERO_ERROR;
                               icu::Locale tagged = icu::Locale::forLanguageTag(id, status);
                               return U_SUCCESS(status) ? tagged : icu::Locale::getRoot();
                             }()
                           : icu::Locale::createCanonical(id.c_str());
  if (locale.isBogus() || *locale.getLanguage() == '\0') return std::string(kPosixLocale);
  return locale.getName();
}

std::string deviceLocaleIdentifier() {
  // Amount entry asks for the locale on every keystroke; canonicalising costs far more than
  // comparing the environment text with the last one seen.
  thread_local std::string lastInput;
  thread_local std::string lastIdentifier = canonicalLocaleIdentifier("");
  std::string_view input = environmentLocale();
  if (input != lastInput) {
    lastIdentifier = canonicalLocaleIdentifier(input);
    lastInput = input;
  }
  return lastIdentifier;
}

std::string deviceLanguageCode() {
  return icu::Locale(deviceLocaleIdentifier().c_str()).getLanguage();
}

bool isKnownLocale(std::string_view identifier) {
  std::string_view base = identifier.substr(0, identifier.find_first_of(".@"));
  if (base == "C" || base == "POSIX") return true;
  std::string canonical = canonicalLocaleIdentifier(identifier);
  if (canonical == kPosixLocale && base != kPosixLocale) return false;
  icu::Locale locale(canonical.c_str());
  // ISO-3 language lookup fails for languages ICU has never heard of.
  return *locale.getISO3Language() != '\0';
}

}  // namespace zelto::platform
