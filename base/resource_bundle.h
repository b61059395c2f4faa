// The library's own resource bundle: the string table and the images of resources/.
//
// The files are compiled into the library when it is built (cmake/embed_resources.cmake), so a
// library installed anywhere finds them and nothing is read from disk at run time. The host's
// resources are never consulted.
//
// - The string tables are resources/strings/<language>.json, flat JSON objects from key to text,
//   one for each language of base/language.h (the pseudo-languages are made from en.json).
// - Images are PNG files resources/images/<name>.png, <name>@2x.png and <name>@3x.png: the
//   same picture at 1, 2 and 3 pixels a point. An image's size in points is the PNG's pixel size
//   over its scale.
//
// Both are loaded once, on first use, under a thread-safe one-time initialisation; afterwards
// lookups are read-only and may run on any thread.
#ifndef ZELTO_BASE_RESOURCE_BUNDLE_H_
#define ZELTO_BASE_RESOURCE_BUNDLE_H_

#include <zelto/base/image.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelto::platform {

// The text of `key` in the table of the language in use (currentLanguage()); English when that
// table lacks the key; the key itself when no table has it.
std::string localizedString(std::string_view key);
// The same in `language` (a code of supportedLanguages()).
std::string localizedString(std::string_view key, std::string_view language);
// The keys of the table of `language`, sorted.
std::vector<std::string> stringKeys(std::string_view language);

// The bundle's image `name` (without "@2x" or ".png") in the representation with the smallest
// scale at or above `scale`, or the largest there is; absent when there is no such image or
// none of its files is a readable PNG.
std::optional<Image> imageNamed(std::string_view name, double scale = 3);

}  // namespace zelto::platform

#endif  // ZELTO_BASE_RESOURCE_BUNDLE_H_
