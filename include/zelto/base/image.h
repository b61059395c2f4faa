// Image: a named picture with a size in points and its encoded bytes (PNG). A value type; copies
// share the bytes, which never change. A pixel-art image (a QR symbol) is drawn with
// nearest-neighbour scaling so its square modules keep sharp edges at any size. Images of the
// library's own bundle come from base/resource_bundle.h (imageNamed).
#ifndef ZELTO_BASE_IMAGE_H_
#define ZELTO_BASE_IMAGE_H_

#include <zelto/base/geometry.h>

#include <memory>
#include <string>
#include <string_view>

namespace zelto::platform {

class Image {
 public:
  // An empty image: no name, size 0 by 0, no bytes.
  Image() = default;
  Image(std::string name, Size size, std::shared_ptr<const std::string> bytes,
        bool pixelArt = false)
      : name_(std::move(name)), size_(size), bytes_(std::move(bytes)), pixelArt_(pixelArt) {}

  const std::string& name() const { return name_; }
  Size size() const { return size_; }
  // The encoded picture; "" for an empty image.
  std::string_view bytes() const { return bytes_ ? std::string_view(*bytes_) : std::string_view(); }
  bool empty() const { return bytes().empty(); }
  bool isPixelArt() const { return pixelArt_; }

  // Same name, size, bytes and scaling.
  friend bool operator==(const Image& a, const Image& b) {
    return a.name_ == b.name_ && a.size_ == b.size_ && a.bytes() == b.bytes() &&
           a.pixelArt_ == b.pixelArt_;
  }

 private:
  std::string name_;
  Size size_;
  std::shared_ptr<const std::string> bytes_;
  bool pixelArt_ = false;
};

}  // namespace zelto::platform

#endif  // ZELTO_BASE_IMAGE_H_
