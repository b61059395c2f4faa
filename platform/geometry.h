// Points, sizes and rectangles in screen points. Plain value types.
#ifndef ZELTO_PLATFORM_GEOMETRY_H_
#define ZELTO_PLATFORM_GEOMETRY_H_

namespace zelto::platform {

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  Size size() const { return {width, height}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_GEOMETRY_H_
