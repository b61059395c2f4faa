#include "platform/canvas.h"

#include <cairo.h>

#include <algorithm>
#include <numbers>

namespace zelto::platform {
namespace {

void setColor(cairo_t* cr, const Color& color) {
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

}  // namespace

Canvas::Canvas(cairo_t* context, double scale) : context_(context), scale_(scale) {
  prepareForText(context_);
  cairo_scale(context_, scale, scale);
}

void Canvas::roundedRectPath(const Rect& r, double radius) {
  radius = std::min({radius, r.width / 2, r.height / 2});
  if (radius <= 0) {
    cairo_rectangle(context_, r.x, r.y, r.width, r.height);
    return;
  }
  constexpr double kQuarter = std::numbers::pi / 2;
  cairo_new_sub_path(context_);
  cairo_arc(context_, r.maxX() - radius, r.y + radius, radius, -kQuarter, 0);
  cairo_arc(context_, r.maxX() - radius, r.maxY() - radius, radius, 0, kQuarter);
  cairo_arc(context_, r.x + radius, r.maxY() - radius, radius, kQuarter, 2 * kQuarter);
  cairo_arc(context_, r.x + radius, r.y + radius, radius, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(context_);
}

void Canvas::fill(const Color& color) {
  setColor(context_, color);
  cairo_paint(context_);
}

void Canvas::fillRect(const Rect& rect, const Color& color) {
  setColor(context_, color);
  cairo_rectangle(context_, rect.x, rect.y, rect.width, rect.height);
  cairo_fill(context_);
}

void Canvas::fillRoundedRect(const Rect& rect, double radius, const Color& color) {
  setColor(context_, color);
  roundedRectPath(rect, radius);
  cairo_fill(context_);
}

void Canvas::strokeRoundedRect(const Rect& rect, double radius, const Color& color,
                               double lineWidth) {
  setColor(context_, color);
  roundedRectPath(rect, radius);
  cairo_set_line_width(context_, lineWidth);
  cairo_stroke(context_);
}

void Canvas::fillCircle(Point centre, double radius, const Color& color) {
  setColor(context_, color);
  cairo_new_sub_path(context_);
  cairo_arc(context_, centre.x, centre.y, radius, 0, 2 * std::numbers::pi);
  cairo_fill(context_);
}

void Canvas::strokeLine(Point from, Point to, const Color& color, double lineWidth) {
  setColor(context_, color);
  cairo_set_line_width(context_, lineWidth);
  cairo_set_line_cap(context_, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(context_, from.x, from.y);
  cairo_line_to(context_, to.x, to.y);
  cairo_stroke(context_);
}

void Canvas::save() { cairo_save(context_); }

void Canvas::restore() { cairo_restore(context_); }

void Canvas::translate(double dx, double dy) { cairo_translate(context_, dx, dy); }

void Canvas::mirrorAround(double x) {
  cairo_translate(context_, 2 * x, 0);
  cairo_scale(context_, -1, 1);
}

void Canvas::clipRoundedRect(const Rect& rect, double radius) {
  roundedRectPath(rect, radius);
  cairo_clip(context_);
}

void Canvas::beginLayer() { cairo_push_group(context_); }

void Canvas::endLayer(double alpha) {
  cairo_pop_group_to_source(context_);
  cairo_paint_with_alpha(context_, alpha);
}

}  // namespace zelto::platform
