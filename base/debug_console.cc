#include "base/debug_console.h"

#include <cstdio>
#include <utility>

namespace zelto::platform {
namespace {

DebugConsoleSink& currentSink() {
  static DebugConsoleSink sink;
  return sink;
}

}  // namespace

void debugPrint(std::string_view text) {
  if (const auto& sink = currentSink()) {
    sink(text);
    return;
  }
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

DebugConsoleSink setDebugConsoleSink(DebugConsoleSink sink) {
  return std::exchange(currentSink(), std::move(sink));
}

ScopedDebugConsoleCapture::ScopedDebugConsoleCapture()
    : previous_(setDebugConsoleSink([this](std::string_view text) { lines_.emplace_back(text); })) {
}

ScopedDebugConsoleCapture::~ScopedDebugConsoleCapture() {
  setDebugConsoleSink(std::move(previous_));
}

}  // namespace zelto::platform
