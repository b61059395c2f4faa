// The debug console: where the library prints the few texts it reports on misuse ("Time out
// seconds cannot be negative"). By default each text goes to stderr followed by a line feed.
//
// Tests capture the texts with ScopedDebugConsoleCapture. Thread-safety: the sink is replaced
// and used on the main thread only.
#ifndef ZELTO_BASE_DEBUG_CONSOLE_H_
#define ZELTO_BASE_DEBUG_CONSOLE_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelto::platform {

using DebugConsoleSink = std::function<void(std::string_view text)>;

// Prints one text to the debug console.
void debugPrint(std::string_view text);

// Replaces where texts go and returns the previous sink; an empty sink restores stderr.
DebugConsoleSink setDebugConsoleSink(DebugConsoleSink sink);

// Collects every text printed while it is alive, then restores the previous sink.
class ScopedDebugConsoleCapture {
 public:
  ScopedDebugConsoleCapture();
  ~ScopedDebugConsoleCapture();
  ScopedDebugConsoleCapture(const ScopedDebugConsoleCapture&) = delete;
  ScopedDebugConsoleCapture& operator=(const ScopedDebugConsoleCapture&) = delete;

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  DebugConsoleSink previous_;
};

}  // namespace zelto::platform

#endif  // ZELTO_BASE_DEBUG_CONSOLE_H_
