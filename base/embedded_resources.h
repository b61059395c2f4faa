// The files of resources/, compiled into the library at build time (cmake/embed_resources.cmake).
// Internal to the platform layer; the library reads them through base/resource_bundle.h.
#ifndef ZELTO_BASE_EMBEDDED_RESOURCES_H_
#define ZELTO_BASE_EMBEDDED_RESOURCES_H_

#include <span>
#include <string_view>

namespace zelto::platform {

struct EmbeddedResource {
  std::string_view path;  // relative to resources/, e.g. "strings/en.json"
  std::string_view bytes;
};

// Every embedded file, sorted by path. The bytes live for the life of the process.
std::span<const EmbeddedResource> embeddedResources();

}  // namespace zelto::platform

#endif  // ZELTO_BASE_EMBEDDED_RESOURCES_H_
