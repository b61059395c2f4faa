// SDL2, loaded when the first display opens rather than when the program starts. SDL and the
// sound, input and windowing libraries it needs take about 7 ms to load and link: every `zelto`
// command paid that, the many that never open a window included, and a run of a thousand
// one-code commands paid it a thousand times.
//
// Thread-safety: main thread only, as the display.
#ifndef ZELTO_PLATFORM_SDL_SDL_LIBRARY_H_
#define ZELTO_PLATFORM_SDL_SDL_LIBRARY_H_

#include <SDL.h>

#include <string>

namespace zelto::platform::sdl {

// The SDL functions the display calls, each named without its SDL_ prefix.
#define ZELTO_SDL_FUNCTIONS(X) \
  X(CreateRenderer)            \
  X(CreateTexture)             \
  X(CreateWindow)              \
  X(DestroyRenderer)           \
  X(DestroyTexture)            \
  X(DestroyWindow)             \
  X(GetError)                  \
  X(GetRendererOutputSize)     \
  X(GetWindowDisplayMode)      \
  X(GetWindowSize)             \
  X(InitSubSystem)             \
  X(PollEvent)                 \
  X(QuitSubSystem)             \
  X(RenderClear)               \
  X(RenderCopy)                \
  X(RenderPresent)             \
  X(RenderReadPixels)          \
  X(SetHint)                   \
  X(SetWindowTitle)            \
  X(StartTextInput)            \
  X(UpdateTexture)             \
  X(WaitEvent)                 \
  X(WaitEventTimeout)

struct SdlFunctions {
#define ZELTO_SDL_POINTER(name) decltype(&::SDL_##name) name = nullptr;
  ZELTO_SDL_FUNCTIONS(ZELTO_SDL_POINTER)
#undef ZELTO_SDL_POINTER
};

// Loads SDL (libSDL2-2.0.so.0) on the first call and every function above from it. Returns
// nullptr, with the reason in `error` ("cannot load SDL2: libSDL2-2.0.so.0: cannot open shared
// object file ..."), when the library or one of its functions is missing; a later call tries
// again.
const SdlFunctions* loadSdl(std::string& error);

// The functions loadSdl() loaded; called only once it has succeeded.
const SdlFunctions& sdl();

}  // namespace zelto::platform::sdl

#endif  // ZELTO_PLATFORM_SDL_SDL_LIBRARY_H_
