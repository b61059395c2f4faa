# Writes OUTPUT, a C++ source that holds every file under SOURCE_DIR as a byte array, so the
# library finds its string table and images without a folder on disk.
# Usage: cmake -DSOURCE_DIR=<resources> -DOUTPUT=<file.cc> -P embed_resources.cmake
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
list(SORT files)
set(arrays "")
set(entries "")
set(index 0)
foreach(name IN LISTS files)
  file(READ ${SOURCE_DIR}/${name} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char kData${index}[] = {${bytes}0x00};\n")
  string(APPEND entries "    {\"${name}\", {reinterpret_cast<const char*>(kData${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp "// Generated from resources/ by cmake/embed_resources.cmake; do not edit.
#include \"base/embedded_resources.h\"

namespace zelto::platform {
namespace {
${arrays}
const EmbeddedResource kResources[] = {
${entries}};
}  // namespace

std::span<const EmbeddedResource> embeddedResources() { return kResources; }

}  // namespace zelto::platform
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
