// The toolkit's colours and measures where a view sets none, shared by the painters in this
// folder.
#ifndef ZELTO_PLATFORM_PAINTING_DEFAULTS_H_
#define ZELTO_PLATFORM_PAINTING_DEFAULTS_H_

#include <zelto/base/color.h>

namespace zelto::platform::painting {

inline constexpr Color kDefaultText{0, 0, 0, 1};
inline constexpr Color kDefaultTint{0, 122 / 255.0, 1, 1};  // #007AFF

}  // namespace zelto::platform::painting

#endif  // ZELTO_PLATFORM_PAINTING_DEFAULTS_H_
