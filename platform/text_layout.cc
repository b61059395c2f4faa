#include "platform/text_layout.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/canvas.h"

namespace zelto::platform {
namespace {

constexpr const char* kFontFamily = "Inter";

struct ObjectDeleter {
  void operator()(void* object) const { g_object_unref(object); }
};
using Layout = std::unique_ptr<PangoLayout, ObjectDeleter>;

PangoWeight pangoWeight(FontWeight weight) {
  switch (weight) {
    case FontWeight::kRegular:
      return PANGO_WEIGHT_NORMAL;
    case FontWeight::kMedium:
      return PANGO_WEIGHT_MEDIUM;
    case FontWeight::kSemibold:
      return PANGO_WEIGHT_SEMIBOLD;
    case FontWeight::kBold:
      return PANGO_WEIGHT_BOLD;
  }
  return PANGO_WEIGHT_NORMAL;
}

PangoFontDescription* fontDescription(const Font& font, double sizeFactor) {
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family_static(description, kFontFamily);
  pango_font_description_set_weight(description, pangoWeight(font.weight));
  pango_font_description_set_absolute_size(description,
                                           std::max(1.0, font.size * sizeFactor) * PANGO_SCALE);
  return description;
}

cairo_font_options_t* textOptions() {
  static cairo_font_options_t* options = [] {
    cairo_font_options_t* created = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(created, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(created, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_antialias(created, CAIRO_ANTIALIAS_GRAY);
    return created;
  }();
  return options;
}

PangoDirection pangoDirection(LayoutDirection direction) {
  return direction == LayoutDirection::kRightToLeft ? PANGO_DIRECTION_RTL : PANGO_DIRECTION_LTR;
}

// A context for measuring text outside drawing, one for each base direction.
PangoContext* measuringContext(LayoutDirection direction) {
  const auto make = [](LayoutDirection base) {
    PangoContext* created = pango_font_map_create_context(pango_cairo_font_map_get_default());
    pango_cairo_context_set_font_options(created, textOptions());
    pango_context_set_base_dir(created, pangoDirection(base));
    return created;
  };
  static PangoContext* leftToRight = make(LayoutDirection::kLeftToRight);
  static PangoContext* rightToLeft = make(LayoutDirection::kRightToLeft);
  return direction == LayoutDirection::kRightToLeft ? rightToLeft : leftToRight;
}

std::uint16_t colorChannel(double value) {
  return static_cast<std::uint16_t>(std::lround(std::clamp(value, 0.0, 1.0) * 65535));
}

PangoAlignment pangoAlignment(TextPlacement where) {
  switch (where) {
    case TextPlacement::kLeft:
      return PANGO_ALIGN_LEFT;
    case TextPlacement::kCenter:
      return PANGO_ALIGN_CENTER;
    case TextPlacement::kRight:
      return PANGO_ALIGN_RIGHT;
  }
  return PANGO_ALIGN_LEFT;
}

void addRunAttributes(PangoAttrList* attributes, const StyledText& styled, double sizeFactor) {
  std::size_t start = 0;
  for (const TextRun& run : styled.runs) {
    const auto begin = static_cast<guint>(start);
    const auto end = static_cast<guint>(start + run.text.size());
    const auto add = [&](PangoAttribute* attribute) {
      attribute->start_index = begin;
      attribute->end_index = end;
      pango_attr_list_insert(attributes, attribute);
    };
    PangoFontDescription* runFont = fontDescription(run.font, sizeFactor);
    add(pango_attr_font_desc_new(runFont));
    pango_font_description_free(runFont);
    if (run.color) {
      add(pango_attr_foreground_new(colorChannel(run.color->red), colorChannel(run.color->green),
                                    colorChannel(run.color->blue)));
      add(pango_attr_foreground_alpha_new(colorChannel(run.color->alpha)));
    }
    if (run.underline) add(pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    start += run.text.size();
  }
}

// Sets `layout` up for `text`, or the runs of `styled` when given.
void configure(PangoLayout* layout, std::string_view text, const StyledText* styled,
               const TextStyle& style) {
  pango_layout_set_auto_dir(layout, false);
  PangoContext* context = pango_layout_get_context(layout);
  if (pango_context_get_base_dir(context) != pangoDirection(style.direction)) {
    pango_context_set_base_dir(context, pangoDirection(style.direction));
    pango_layout_context_changed(layout);
  }
  PangoFontDescription* description = fontDescription(style.font, style.sizeFactor);
  pango_layout_set_font_description(layout, description);
  pango_font_description_free(description);
  if (styled) {
    const std::string joined = styled->string();
    pango_layout_set_text(layout, joined.data(), static_cast<int>(joined.size()));
    PangoAttrList* attributes = pango_attr_list_new();
    addRunAttributes(attributes, *styled, style.sizeFactor);
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
  } else {
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  }
  if (style.width >= 0) pango_layout_set_width(layout, static_cast<int>(style.width * PANGO_SCALE));
  pango_layout_set_alignment(layout, pangoAlignment(placement(style.alignment, style.direction)));
  if (style.lines == 1) {
    pango_layout_set_single_paragraph_mode(layout, true);
  } else {
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    if (style.lines > 1) pango_layout_set_height(layout, -style.lines);
  }
  if (style.ellipsize && style.width >= 0 && style.lines != 0) {
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  }
}

Layout measuringLayout(std::string_view text, const StyledText* styled, const TextStyle& style) {
  Layout layout(pango_layout_new(measuringContext(style.direction)));
  configure(layout.get(), text, styled, style);
  return layout;
}

}  // namespace

TextPlacement placement(TextAlignment alignment, LayoutDirection direction) {
  const bool rightToLeft = direction == LayoutDirection::kRightToLeft;
  switch (alignment) {
    case TextAlignment::kLeading:
      return rightToLeft ? TextPlacement::kRight : TextPlacement::kLeft;
    case TextAlignment::kCenter:
      return TextPlacement::kCenter;
    case TextAlignment::kTrailing:
      return rightToLeft ? TextPlacement::kLeft : TextPlacement::kRight;
  }
  return TextPlacement::kLeft;
}

Size textSize(std::string_view text, const StyledText* styled, const TextStyle& style) {
  const Layout layout = measuringLayout(text, styled, style);
  PangoRectangle logical;
  pango_layout_get_extents(layout.get(), nullptr, &logical);
  return {static_cast<double>(logical.width) / PANGO_SCALE,
          static_cast<double>(logical.height) / PANGO_SCALE};
}

double shrunkToFit(std::string_view text, const StyledText* styled, TextStyle style, double width,
                   double minimum) {
  style.width = -1;
  style.lines = 1;
  double measured = textSize(text, styled, style).width;
  for (int attempt = 0; attempt < 8 && measured > width; ++attempt) {
    style.sizeFactor = std::max(minimum, style.sizeFactor * width / measured * 0.99);
    measured = textSize(text, styled, style).width;
    if (style.sizeFactor <= minimum) break;
  }
  return style.sizeFactor;
}

bool fitsWhole(std::string_view text, const StyledText* styled, const TextStyle& style, Size area) {
  const Layout layout = measuringLayout(text, styled, style);
  PangoRectangle ink, logical;
  pango_layout_get_extents(layout.get(), &ink, &logical);
  const double top = (area.height - static_cast<double>(logical.height) / PANGO_SCALE) / 2;
  const double inkTop = top + static_cast<double>(ink.y) / PANGO_SCALE;
  const double inkBottom = inkTop + static_cast<double>(ink.height) / PANGO_SCALE;
  constexpr double kTolerance = 0.5;
  return !pango_layout_is_ellipsized(layout.get()) &&
         static_cast<double>(logical.width) / PANGO_SCALE <= area.width + kTolerance &&
         inkTop >= -kTolerance && inkBottom <= area.height + kTolerance;
}

Size textSizeWithMarks(std::string_view text, const TextStyle& style) {
  const Layout layout = measuringLayout(text, nullptr, style);
  PangoRectangle ink, logical;
  pango_layout_get_extents(layout.get(), &ink, &logical);
  const double beyond = std::max(
      {0.0, static_cast<double>(logical.y - ink.y) / PANGO_SCALE,
       static_cast<double>((ink.y + ink.height) - (logical.y + logical.height)) / PANGO_SCALE});
  return {static_cast<double>(logical.width) / PANGO_SCALE,
          static_cast<double>(logical.height) / PANGO_SCALE + 2 * beyond};
}

double caretOffset(std::string_view text, const TextStyle& style) {
  if (text.empty()) return 0;
  const Layout layout = measuringLayout(text, nullptr, style);
  const char* start = text.data();
  const char* last = g_utf8_find_prev_char(start, start + text.size());
  const int index = last ? static_cast<int>(last - start) : 0;
  PangoRectangle character;
  pango_layout_index_to_pos(layout.get(), index, &character);
  const bool rightToLeft = pango_layout_get_direction(layout.get(), index) == PANGO_DIRECTION_RTL;
  // A right-to-left character's rectangle has a negative width: its x is its right edge.
  const double x = static_cast<double>(character.x) / PANGO_SCALE;
  const double width = static_cast<double>(character.width) / PANGO_SCALE;
  const double left = std::min(x, x + width), right = std::max(x, x + width);
  return rightToLeft ? left : right;
}

void prepareForText(cairo_t* context) { cairo_set_font_options(context, textOptions()); }

Rect Canvas::drawText(std::string_view text, const StyledText* styled, const TextStyle& style,
                      const Rect& area, const Color& color) {
  Layout layout(pango_cairo_create_layout(context_));
  configure(layout.get(), text, styled, style);
  PangoRectangle logical;
  pango_layout_get_extents(layout.get(), nullptr, &logical);
  const double height = static_cast<double>(logical.height) / PANGO_SCALE;
  const double y = area.y + (area.height - height) / 2;
  cairo_set_source_rgba(context_, color.red, color.green, color.blue, color.alpha);
  cairo_move_to(context_, area.x, y);
  pango_cairo_show_layout(context_, layout.get());
  return {area.x + static_cast<double>(logical.x) / PANGO_SCALE, y,
          static_cast<double>(logical.width) / PANGO_SCALE, height};
}

}  // namespace zelto::platform
