#include "platform/sdl/sdl_library.h"

#include <dlfcn.h>

namespace zelto::platform::sdl {
namespace {

SdlFunctions functions;
bool loaded = false;

}  // namespace

const SdlFunctions* loadSdl(std::string& error) {
  if (loaded) return &functions;
  constexpr const char* kLibrary = "libSDL2-2.0.so.0";
  // Never closed: SDL keeps threads and handlers that outlive any one display.
  void* const library = ::dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    error = std::string("cannot load SDL2: ") + ::dlerror();
    return nullptr;
  }
  SdlFunctions found;
  std::string missing;
#define ZELTO_SDL_LOOKUP(name)                                                         \
  found.name = reinterpret_cast<decltype(found.name)>(::dlsym(library, "SDL_" #name)); \
  if (found.name == nullptr && missing.empty()) missing = "SDL_" #name;
  ZELTO_SDL_FUNCTIONS(ZELTO_SDL_LOOKUP)
#undef ZELTO_SDL_LOOKUP
  if (!missing.empty()) {
    error = std::string("cannot load SDL2: ") + kLibrary + " has no " + missing;
    return nullptr;
  }
  functions = found;
  loaded = true;
  return &functions;
}

const SdlFunctions& sdl() { return functions; }

}  // namespace zelto::platform::sdl
