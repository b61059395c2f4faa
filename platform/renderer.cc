#include "platform/renderer.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <numbers>
#include <vector>

#include "base/resource_bundle.h"
#include "platform/controls.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "platform/png_codec.h"
#include "platform/window.h"

namespace zelto::platform {
namespace {

// The toolkit's colours where a view sets none.
constexpr Color kDefaultText{0, 0, 0, 1};
constexpr Color kDefaultTint{0, 122 / 255.0, 1, 1};  // #007AFF
constexpr Color kPlaceholder{60 / 255.0, 60 / 255.0, 67 / 255.0, 0.3};
constexpr Color kFieldBorder{199 / 255.0, 199 / 255.0, 204 / 255.0, 1};  // #C7C7CC
constexpr Color kSwitchOn{52 / 255.0, 199 / 255.0, 89 / 255.0, 1};       // #34C759
constexpr Color kSwitchOff{233 / 255.0, 233 / 255.0, 234 / 255.0, 1};    // #E9E9EA
constexpr Color kSpinner{142 / 255.0, 142 / 255.0, 147 / 255.0, 1};      // #8E8E93
constexpr Color kBarBackground{248 / 255.0, 248 / 255.0, 248 / 255.0, 1};
constexpr Color kHairline{0, 0, 0, 0.3};
constexpr double kFieldInset = 7;
constexpr double kButtonImageGap = 8;
constexpr double kCaretWidth = 2;
constexpr const char* kFontFamily = "Inter";

struct ObjectDeleter {
  void operator()(void* object) const { g_object_unref(object); }
};
using Layout = std::unique_ptr<PangoLayout, ObjectDeleter>;

void setColor(cairo_t* cr, const Color& color) {
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

void roundedRect(cairo_t* cr, const Rect& r, double radius) {
  radius = std::min({radius, r.width / 2, r.height / 2});
  if (radius <= 0) {
    cairo_rectangle(cr, r.x, r.y, r.width, r.height);
    return;
  }
  constexpr double kQuarter = std::numbers::pi / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, r.maxX() - radius, r.y + radius, radius, -kQuarter, 0);
  cairo_arc(cr, r.maxX() - radius, r.maxY() - radius, radius, 0, kQuarter);
  cairo_arc(cr, r.x + radius, r.maxY() - radius, radius, kQuarter, 2 * kQuarter);
  cairo_arc(cr, r.x + radius, r.y + radius, radius, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(cr);
}

// ---- Text ----

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

// Unhinted metrics: text takes the same room at every scale.
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

struct TextStyle {
  Font font;
  double sizeFactor = 1;
  double width = -1;  // points; negative: unlimited
  int lines = 1;      // 0: as many as needed
  TextAlignment alignment = TextAlignment::kLeading;
  bool ellipsize = true;
  // The paragraph's base direction, which also says where leading is.
  LayoutDirection direction = LayoutDirection::kLeftToRight;
};

// Where `alignment` puts text in a paragraph running `direction`.
PangoAlignment pangoAlignment(TextAlignment alignment, LayoutDirection direction) {
  const bool rightToLeft = direction == LayoutDirection::kRightToLeft;
  switch (alignment) {
    case TextAlignment::kLeading:
      return rightToLeft ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT;
    case TextAlignment::kCenter:
      return PANGO_ALIGN_CENTER;
    case TextAlignment::kTrailing:
      return rightToLeft ? PANGO_ALIGN_LEFT : PANGO_ALIGN_RIGHT;
  }
  return PANGO_ALIGN_LEFT;
}

// Sets `layout` up for `text`, or the runs of `styled` when given.
void configure(PangoLayout* layout, std::string_view text, const StyledText* styled,
               const TextStyle& style) {
  // The base direction is the view's, not guessed from the text: a Latin merchant name in an
  // Arabic screen stays a right-to-left paragraph, aligned as the screen is.
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
    std::size_t start = 0;
    for (const TextRun& run : styled->runs) {
      const auto begin = static_cast<guint>(start);
      const auto end = static_cast<guint>(start + run.text.size());
      const auto add = [&](PangoAttribute* attribute) {
        attribute->start_index = begin;
        attribute->end_index = end;
        pango_attr_list_insert(attributes, attribute);
      };
      PangoFontDescription* runFont = fontDescription(run.font, style.sizeFactor);
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
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
  } else {
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  }
  if (style.width >= 0) pango_layout_set_width(layout, static_cast<int>(style.width * PANGO_SCALE));
  pango_layout_set_alignment(layout, pangoAlignment(style.alignment, style.direction));
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

Size logicalSize(PangoLayout* layout) {
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  return {static_cast<double>(logical.width) / PANGO_SCALE,
          static_cast<double>(logical.height) / PANGO_SCALE};
}

Size measure(std::string_view text, const StyledText* styled, TextStyle style) {
  Layout layout(pango_layout_new(measuringContext(style.direction)));
  configure(layout.get(), text, styled, style);
  return logicalSize(layout.get());
}

// Draws the text in `area`, centred vertically, in `color` (runs with a colour keep theirs).
// Returns the text's logical rectangle.
Rect drawText(cairo_t* cr, std::string_view text, const StyledText* styled, const TextStyle& style,
              const Rect& area, const Color& color) {
  Layout layout(pango_cairo_create_layout(cr));
  configure(layout.get(), text, styled, style);
  PangoRectangle logical;
  pango_layout_get_extents(layout.get(), nullptr, &logical);
  const double height = static_cast<double>(logical.height) / PANGO_SCALE;
  const double y = area.y + (area.height - height) / 2;
  setColor(cr, color);
  cairo_move_to(cr, area.x, y);
  pango_cairo_show_layout(cr, layout.get());
  return {area.x + static_cast<double>(logical.x) / PANGO_SCALE, y,
          static_cast<double>(logical.width) / PANGO_SCALE, height};
}

// The size factor, down to `minimum`, at which `text` set on one line in `style` is no wider
// than `width`.
double shrunkToFit(std::string_view text, const StyledText* styled, TextStyle style, double width,
                   double minimum) {
  style.width = -1;
  style.lines = 1;
  double measured = measure(text, styled, style).width;
  // Text does not narrow exactly in proportion to its size (kerning, rounding): shrink a
  // little further until it fits.
  for (int attempt = 0; attempt < 8 && measured > width; ++attempt) {
    style.sizeFactor = std::max(minimum, style.sizeFactor * width / measured * 0.99);
    measured = measure(text, styled, style).width;
    if (style.sizeFactor <= minimum) break;
  }
  return style.sizeFactor;
}

// Whether `text` set in `style` shows whole in `area`: not cut short, no wider than the area,
// and its ink, centred vertically as drawText() sets it, inside the area's height (scripts with
// tall line boxes, Thai and Devanagari, may use the room above and below their letters).
bool fitsWhole(std::string_view text, const StyledText* styled, const TextStyle& style, Size area) {
  Layout layout(pango_layout_new(measuringContext(style.direction)));
  configure(layout.get(), text, styled, style);
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

// ---- Images ----

// The bundle's representation of a bundle image that best fits `scale`; the image itself
// otherwise.
Image bestRepresentation(const Image& image, double scale) {
  if (image.name().empty() || image.isPixelArt()) return image;
  const auto better = imageNamed(image.name(), scale);
  return better && better->size() == image.size() ? *better : image;
}

void drawImage(cairo_t* cr, const Image& image, const Rect& destination,
               const std::optional<Color>& tint, double scale) {
  if (destination.width <= 0 || destination.height <= 0) return;
  const Surface surface = decodePng(bestRepresentation(image, scale).bytes());
  if (!surface) return;
  const double pixelWidth = cairo_image_surface_get_width(surface.get());
  const double pixelHeight = cairo_image_surface_get_height(surface.get());
  if (pixelWidth <= 0 || pixelHeight <= 0) return;
  cairo_save(cr);
  cairo_rectangle(cr, destination.x, destination.y, destination.width, destination.height);
  cairo_clip(cr);
  cairo_translate(cr, destination.x, destination.y);
  cairo_scale(cr, destination.width / pixelWidth, destination.height / pixelHeight);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface.get());
  cairo_pattern_set_filter(pattern, image.isPixelArt() ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  if (tint) {
    setColor(cr, *tint);
    cairo_mask(cr, pattern);
  } else {
    cairo_set_source(cr, pattern);
    cairo_paint(cr);
  }
  cairo_pattern_destroy(pattern);
  cairo_restore(cr);
}

Rect fitted(Size image, const Rect& bounds, ContentMode mode) {
  if (image.width <= 0 || image.height <= 0) return bounds;
  double factor = 1;
  switch (mode) {
    case ContentMode::kScaleToFill:
      return bounds;
    case ContentMode::kScaleAspectFit:
      factor = std::min(bounds.width / image.width, bounds.height / image.height);
      break;
    case ContentMode::kScaleAspectFill:
      factor = std::max(bounds.width / image.width, bounds.height / image.height);
      break;
    case ContentMode::kCenter:
      break;
  }
  const double width = image.width * factor, height = image.height * factor;
  return {bounds.x + (bounds.width - width) / 2, bounds.y + (bounds.height - height) / 2, width,
          height};
}

// ---- Views ----

// How a label's text is set in `bounds`: shrunk, when the label allows it, until one line fits.
TextStyle labelStyle(const Label& label, const Rect& bounds, LayoutDirection direction) {
  const StyledText* styled = label.attributedText ? &*label.attributedText : nullptr;
  TextStyle style{label.font,          1,    bounds.width, label.numberOfLines,
                  label.textAlignment, true, direction};
  if (label.adjustsFontSizeToFitWidth && label.numberOfLines == 1 && bounds.width > 0) {
    style.sizeFactor =
        shrunkToFit(label.text, styled, style, bounds.width, label.minimumScaleFactor);
  }
  return style;
}

void drawLabel(cairo_t* cr, const Label& label, const Rect& bounds, LayoutDirection direction) {
  const StyledText* styled = label.attributedText ? &*label.attributedText : nullptr;
  if (!styled && label.text.empty()) return;
  drawText(cr, label.text, styled, labelStyle(label, bounds, direction), bounds,
           label.textColor.value_or(kDefaultText));
}

// The size a button's image is drawn at: its own, no taller than the button.
Size buttonImageSize(const Button& button, const Rect& bounds) {
  const auto image = button.image(button.state());
  Size size = image ? image->size() : Size{};
  if (size.height > bounds.height && size.height > 0) {
    size = {size.width * bounds.height / size.height, bounds.height};
  }
  return size;
}

// The width a button's title may take beside its image.
double buttonTitleRoom(const Button& button, const Rect& bounds) {
  const bool both = button.image(button.state()) && !button.title(button.state()).empty();
  return std::max(
      0.0, bounds.width - buttonImageSize(button, bounds).width - (both ? kButtonImageGap : 0));
}

void drawButton(cairo_t* cr, const Button& button, const Rect& bounds, double scale,
                LayoutDirection direction) {
  const ControlState state = button.state();
  if (const auto background = button.backgroundColorForState(state)) {
    setColor(cr, *background);
    roundedRect(cr, bounds, button.cornerRadius);
    cairo_fill(cr);
  }
  const std::string title = button.title(state);
  const auto image = button.image(state);
  const Size imageSize = buttonImageSize(button, bounds);
  const double gap = image && !title.empty() ? kButtonImageGap : 0;
  TextStyle style{button.titleFont, 1, -1, 1, TextAlignment::kLeading, true, direction};
  const double room = buttonTitleRoom(button, bounds);
  double titleWidth = title.empty() ? 0 : std::min(room, measure(title, nullptr, style).width);
  const double left = bounds.x + (bounds.width - imageSize.width - gap - titleWidth) / 2;
  const bool rightToLeft = direction == LayoutDirection::kRightToLeft;
  // The image on the title's leading side.
  const double imageX = rightToLeft ? left + titleWidth + gap : left;
  const double titleX = rightToLeft ? left : left + imageSize.width + gap;
  const Color color = button.titleColor(state).value_or(button.tintColor.value_or(kDefaultTint));
  if (image) {
    const Rect area{imageX, bounds.y + (bounds.height - imageSize.height) / 2, imageSize.width,
                    imageSize.height};
    cairo_save(cr);
    if (rightToLeft && button.flipsImageForRightToLeft) {
      cairo_translate(cr, 2 * area.x + area.width, 0);
      cairo_scale(cr, -1, 1);
    }
    drawImage(cr, *image, area, button.tintColor, scale);
    cairo_restore(cr);
  }
  if (!title.empty()) {
    style.width = titleWidth;
    drawText(cr, title, nullptr, style, {titleX, bounds.y, titleWidth, bounds.height}, color);
  }
}

// The thumb sits at the trailing end when on: on the left in a right-to-left layout.
void drawSwitch(cairo_t* cr, const Switch& toggle, const Rect& bounds, LayoutDirection direction) {
  setColor(cr, toggle.isOn() ? toggle.onTintColor.value_or(kSwitchOn) : kSwitchOff);
  roundedRect(cr, bounds, bounds.height / 2);
  cairo_fill(cr);
  const double radius = bounds.height / 2 - 2;
  const bool atRight = toggle.isOn() == (direction == LayoutDirection::kLeftToRight);
  const double x = atRight ? bounds.maxX() - 2 - radius : bounds.x + 2 + radius;
  const double y = bounds.y + bounds.height / 2;
  cairo_set_source_rgba(cr, 0, 0, 0, 0.12);  // the thumb's shadow
  cairo_arc(cr, x, y + 1.5, radius + 0.5, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
  setColor(cr, toggle.thumbTintColor.value_or(Color::white()));
  cairo_arc(cr, x, y, radius, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
}

// Where a caret after the last character of `text` stands, from the text's left edge: beside the
// last character, on its right when it runs left to right, on its left when it runs right to
// left (a digit typed after Arabic text, or Arabic after digits, goes where the reader expects).
double caretOffset(std::string_view text, const TextStyle& style) {
  if (text.empty()) return 0;
  Layout layout(pango_layout_new(measuringContext(style.direction)));
  configure(layout.get(), text, nullptr, style);
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

void drawTextField(cairo_t* cr, const TextField& field, const Rect& bounds,
                   LayoutDirection direction) {
  double inset = 0;
  if (field.borderStyle == TextBorderStyle::kRoundedRect) {
    roundedRect(cr, {bounds.x + 0.25, bounds.y + 0.25, bounds.width - 0.5, bounds.height - 0.5}, 5);
    setColor(cr, Color::white());
    cairo_fill_preserve(cr);
    setColor(cr, kFieldBorder);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    inset = kFieldInset;
  } else if (field.borderStyle == TextBorderStyle::kLine) {
    cairo_rectangle(cr, bounds.x + 0.5, bounds.y + 0.5, bounds.width - 1, bounds.height - 1);
    setColor(cr, kDefaultText);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    inset = kFieldInset;
  }
  EdgeInsets extra = field.textInsets;
  if (direction == LayoutDirection::kRightToLeft) std::swap(extra.left, extra.right);
  const Rect area{bounds.x + inset + extra.left, bounds.y + extra.top,
                  std::max(0.0, bounds.width - 2 * inset - extra.left - extra.right),
                  std::max(0.0, bounds.height - extra.top - extra.bottom)};
  cairo_save(cr);
  cairo_rectangle(cr, area.x, area.y, area.width, area.height);
  cairo_clip(cr);
  const bool showPlaceholder = field.text.empty();
  const std::string& shown = showPlaceholder ? field.placeholder : field.text;
  TextStyle style{field.font, 1, -1, 1, TextAlignment::kLeading, false, direction};
  const double width = measure(shown, nullptr, style).width;
  const PangoAlignment alignment = pangoAlignment(field.textAlignment, direction);
  const bool editing = field.isFirstResponder() && !showPlaceholder;
  const double caretAt = editing ? caretOffset(field.text, style) : 0;
  double x = area.x;
  if (width > area.width) {
    // Too long: the end shows while editing, the start otherwise.
    if (editing) x = area.maxX() - width;
  } else if (alignment == PANGO_ALIGN_CENTER) {
    x = area.x + (area.width - width) / 2;
  } else if (alignment == PANGO_ALIGN_RIGHT) {
    x = area.maxX() - width;
    // A caret after right-aligned text keeps its own room rather than covering the last letter.
    if (editing && caretAt >= width - 0.5) x = std::max(area.x, x - kCaretWidth - 1);
  }
  const Color color = showPlaceholder ? field.placeholderColor.value_or(kPlaceholder)
                                      : field.textColor.value_or(kDefaultText);
  drawText(cr, shown, nullptr, style, {x, area.y, width, area.height}, color);
  if (field.isFirstResponder() && field.caretShown) {
    // After the text; over an empty field, where the first character will go.
    double caretX = x + caretAt;
    if (showPlaceholder) {
      caretX = alignment == PANGO_ALIGN_CENTER  ? area.x + area.width / 2 - 1
               : alignment == PANGO_ALIGN_RIGHT ? area.maxX()
                                                : area.x;
    }
    const double caretHeight = field.font.size * 1.25;
    setColor(cr, field.tintColor.value_or(kDefaultTint));
    cairo_rectangle(cr, std::clamp(caretX, area.x, std::max(area.x, area.maxX() - kCaretWidth)),
                    area.y + (area.height - caretHeight) / 2, kCaretWidth, caretHeight);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void drawTextView(cairo_t* cr, const TextView& view, const Rect& bounds,
                  LayoutDirection direction) {
  if (view.text.empty()) return;
  const Rect area{bounds.x + 5, bounds.y + 8, std::max(0.0, bounds.width - 10), 0};
  TextStyle style{view.font, 1, area.width, 0, TextAlignment::kLeading, false, direction};
  const Size size = measure(view.text, nullptr, style);
  drawText(cr, view.text, nullptr, style, {area.x, area.y, area.width, size.height},
           view.textColor.value_or(kDefaultText));
}

void drawSpinner(cairo_t* cr, const ActivityIndicatorView& spinner, const Rect& bounds) {
  constexpr int kSpokes = 8;
  const double radius = std::min(bounds.width, bounds.height) / 2;
  const Color color = spinner.color.value_or(kSpinner);
  cairo_set_line_width(cr, radius * 0.22);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < kSpokes; ++i) {
    const double angle = 2 * std::numbers::pi * i / kSpokes;
    const double dx = std::cos(angle), dy = std::sin(angle);
    const double cx = bounds.x + bounds.width / 2, cy = bounds.y + bounds.height / 2;
    cairo_set_source_rgba(cr, color.red, color.green, color.blue,
                          color.alpha * (0.25 + 0.75 * (i + 1) / kSpokes));
    cairo_move_to(cr, cx + dx * radius * 0.45, cy + dy * radius * 0.45);
    cairo_line_to(cr, cx + dx * (radius - radius * 0.11), cy + dy * (radius - radius * 0.11));
    cairo_stroke(cr);
  }
}

// Where a bar's title goes: centred, clear of the items at both sides.
Rect titleArea(const NavigationBar& bar, const Rect& bounds) {
  constexpr double kGap = 8;
  double margin = 2 * kGap;
  for (const auto& item : bar.subviews()) {
    if (item->hidden) continue;
    const Rect frame = item->frame();
    margin = std::max(margin, std::min(frame.maxX(), bounds.width - frame.x) + kGap);
  }
  return {bounds.x + margin, bounds.y, std::max(0.0, bounds.width - 2 * margin), bounds.height};
}

// A long title shrinks to 70% of its size, then takes two lines.
TextStyle titleStyle(const NavigationBar& bar, const Rect& area, LayoutDirection direction) {
  constexpr double kMinimumScale = 0.7;
  const Font font =
      bar.titleTextAttributes.font.value_or(Font::systemFont(17, FontWeight::kSemibold));
  TextStyle style{font, 1, area.width, 1, TextAlignment::kCenter, true, direction};
  style.sizeFactor = shrunkToFit(bar.title(), nullptr, style, area.width, kMinimumScale);
  if (measure(bar.title(), nullptr, {font, style.sizeFactor, -1, 1}).width > area.width) {
    style.lines = 2;
  }
  return style;
}

void drawNavigationBar(cairo_t* cr, const NavigationBar& bar, const Rect& bounds,
                       LayoutDirection direction) {
  if (!bar.backgroundColor) {
    setColor(cr, bar.barTintColor.value_or(kBarBackground));
    cairo_rectangle(cr, bounds.x, bounds.y, bounds.width, bounds.height);
    cairo_fill(cr);
  }
  const bool flat = bar.shadowImage && bar.shadowImage->empty();
  if (!flat) {
    setColor(cr, kHairline);
    cairo_rectangle(cr, bounds.x, bounds.maxY() - 0.5, bounds.width, 0.5);
    cairo_fill(cr);
  }
  if (bar.title().empty()) return;
  const Rect area = titleArea(bar, bounds);
  drawText(cr, bar.title(), nullptr, titleStyle(bar, area, direction), area,
           bar.titleTextAttributes.foregroundColor.value_or(kDefaultText));
}

void drawContent(cairo_t* cr, const View& view, const Rect& bounds, double scale,
                 LayoutDirection direction) {
  if (const auto* label = dynamic_cast<const Label*>(&view)) {
    drawLabel(cr, *label, bounds, direction);
  } else if (const auto* toggle = dynamic_cast<const Switch*>(&view)) {
    drawSwitch(cr, *toggle, bounds, direction);
  } else if (const auto* button = dynamic_cast<const Button*>(&view)) {
    drawButton(cr, *button, bounds, scale, direction);
  } else if (const auto* field = dynamic_cast<const TextField*>(&view)) {
    drawTextField(cr, *field, bounds, direction);
  } else if (const auto* textView = dynamic_cast<const TextView*>(&view)) {
    drawTextView(cr, *textView, bounds, direction);
  } else if (const auto* imageView = dynamic_cast<const ImageView*>(&view)) {
    if (imageView->image) {
      drawImage(cr, *imageView->image,
                fitted(imageView->image->size(), bounds, imageView->contentMode),
                imageView->tintColor, scale);
    }
  } else if (const auto* spinner = dynamic_cast<const ActivityIndicatorView*>(&view)) {
    drawSpinner(cr, *spinner, bounds);
  } else if (const auto* bar = dynamic_cast<const NavigationBar*>(&view)) {
    drawNavigationBar(cr, *bar, bounds, direction);
  }
}

// The direction `view` lays out in, inside a superview laid out `inherited`.
LayoutDirection directionOf(const View& view, LayoutDirection inherited) {
  switch (view.semanticContentAttribute) {
    case SemanticContentAttribute::kForceLeftToRight:
      return LayoutDirection::kLeftToRight;
    case SemanticContentAttribute::kForceRightToLeft:
      return LayoutDirection::kRightToLeft;
    case SemanticContentAttribute::kUnspecified:
      break;
  }
  return inherited;
}

// Draws `view`, laid out `direction`, with its top-left corner at the current origin.
void drawView(cairo_t* cr, const View& view, Size size, bool isTop, double scale,
              LayoutDirection direction) {
  // Alpha as shown at this moment: a fade in progress is drawn part way.
  const double alpha = view.alpha.presentationValue();
  if (!isTop && (view.hidden || alpha <= 0)) return;
  const Rect bounds{0, 0, size.width, size.height};
  const bool group = !isTop && alpha < 1;
  if (group) cairo_push_group(cr);
  cairo_save(cr);
  const bool clips = view.clipsToBounds || dynamic_cast<const ScrollView*>(&view) != nullptr;
  if (clips) {
    roundedRect(cr, bounds, view.cornerRadius);
    cairo_clip(cr);
  }
  if (view.backgroundColor) {
    setColor(cr, *view.backgroundColor);
    roundedRect(cr, bounds, view.cornerRadius);
    cairo_fill(cr);
  }
  drawContent(cr, view, bounds, scale, direction);
  const Point offset = view.scrollOffset();
  for (const auto& child : view.subviews()) {
    const Rect frame = child->presentationFrame();
    double x = frame.x - offset.x;
    if (direction == LayoutDirection::kRightToLeft) x = size.width - x - frame.width;
    cairo_save(cr);
    cairo_translate(cr, x, frame.y - offset.y);
    drawView(cr, *child, frame.size(), false, scale, directionOf(*child, direction));
    cairo_restore(cr);
  }
  cairo_restore(cr);
  if (view.borderWidth > 0 && view.borderColor) {
    const double half = view.borderWidth / 2;
    roundedRect(cr, {half, half, size.width - view.borderWidth, size.height - view.borderWidth},
                view.cornerRadius - half);
    setColor(cr, *view.borderColor);
    cairo_set_line_width(cr, view.borderWidth);
    cairo_stroke(cr);
  }
  if (group) {
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
  }
}

// ---- The on-screen keyboard ----

const View* firstResponderIn(const View& view) {
  if (view.isFirstResponder()) return &view;
  for (const auto& child : view.subviews()) {
    if (const View* found = firstResponderIn(*child)) return found;
  }
  return nullptr;
}

bool isNumeric(KeyboardType type) {
  return type == KeyboardType::kNumberPad || type == KeyboardType::kDecimalPad ||
         type == KeyboardType::kPhonePad;
}

void drawKey(cairo_t* cr, const Rect& key, std::string_view title, bool light, double fontSize) {
  constexpr Color kKeyShadow{0.54, 0.55, 0.57, 1};
  setColor(cr, kKeyShadow);
  roundedRect(cr, {key.x, key.y + 1, key.width, key.height}, 5);
  cairo_fill(cr);
  setColor(cr, light ? Color::white() : Color{0.67, 0.69, 0.73, 1});
  roundedRect(cr, key, 5);
  cairo_fill(cr);
  TextStyle style{Font::systemFont(fontSize), 1, key.width, 1, TextAlignment::kCenter, false};
  drawText(cr, title, nullptr, style, key, Color::black());
}

// The keyboard a phone shows for a field of `type`, filling `area`: a number pad for numeric
// fields, letters otherwise. It is drawn for the look of the screen; typing reaches fields
// through the driver or a front end, never through these keys.
void drawKeyboard(cairo_t* cr, KeyboardType type, const Rect& area) {
  constexpr Color kKeyboardGround{0.82, 0.83, 0.85, 1};
  constexpr double kBottomInset = 34;  // the home indicator's strip
  setColor(cr, kKeyboardGround);
  cairo_rectangle(cr, area.x, area.y, area.width, area.height);
  cairo_fill(cr);
  const Rect keys{area.x, area.y + 6, area.width, area.height - 6 - kBottomInset};
  if (isNumeric(type)) {
    const std::string_view corner = type == KeyboardType::kDecimalPad ? "." : "";
    const std::string_view titles[4][3] = {
        {"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {corner, "0", "\u232B"}};
    constexpr double kGap = 6;
    const double width = (keys.width - 4 * kGap) / 3;
    const double height = (keys.height - 4 * kGap) / 4;
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 3; ++column) {
        const std::string_view title = titles[row][column];
        if (title.empty()) continue;
        drawKey(cr,
                {keys.x + kGap + column * (width + kGap), keys.y + row * (height + kGap), width,
                 height},
                title, row < 3 || column == 1, 24);
      }
    }
    return;
  }
  const std::string_view rows[3] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  constexpr double kGap = 6;
  const double width = (keys.width - 11 * kGap) / 10;
  const double height = (keys.height - 4 * kGap) / 4;
  for (int row = 0; row < 3; ++row) {
    const auto count = static_cast<double>(rows[row].size());
    const double left = keys.x + (keys.width - count * width - (count - 1) * kGap) / 2;
    const double y = keys.y + row * (height + kGap);
    for (std::size_t i = 0; i < rows[row].size(); ++i) {
      drawKey(cr, {left + static_cast<double>(i) * (width + kGap), y, width, height},
              rows[row].substr(i, 1), true, 20);
    }
  }
  const double side = width * 1.4;
  const double third = keys.y + 2 * (height + kGap);
  drawKey(cr, {keys.x + kGap, third, side, height}, "\u21E7", false, 18);
  drawKey(cr, {keys.x + keys.width - kGap - side, third, side, height}, "\u232B", false, 18);
  const double bottom = keys.y + 3 * (height + kGap);
  const double wide = 2.5 * width;
  drawKey(cr, {keys.x + kGap, bottom, wide, height}, "123", false, 16);
  drawKey(cr, {keys.x + keys.width - kGap - wide, bottom, wide, height}, "return", false, 16);
  drawKey(cr, {keys.x + 2 * kGap + wide, bottom, keys.width - 4 * kGap - 2 * wide, height}, "space",
          true, 16);
}

// Draws `view` and its subviews at the context's origin, `scale` pixels a point: on `ground`
// when there is one, then the keyboard while a text input is first responder.
void paint(cairo_t* cr, const View& view, double scale, const std::optional<Color>& ground) {
  const Size size = view.frame().size();
  cairo_set_font_options(cr, textOptions());
  cairo_scale(cr, scale, scale);
  if (ground) {
    setColor(cr, *ground);
    cairo_paint(cr);
  }
  drawView(cr, view, size, true, scale, view.effectiveLayoutDirection());
  if (ground) {
    if (const View* responder = firstResponderIn(view)) {
      const auto* field = dynamic_cast<const TextField*>(responder);
      drawKeyboard(cr, field ? field->keyboardType : KeyboardType::kDefault,
                   {0, size.height - kKeyboardHeight, size.width, kKeyboardHeight});
    }
  }
}

double validScale(double scale) {
  return scale > 0 && std::isfinite(scale) ? scale : kDefaultRenderScale;
}

Image render(const View& view, double scale, const std::optional<Color>& ground) {
  scale = validScale(scale);
  const Size size = view.frame().size();
  const int width = std::max(1, static_cast<int>(std::ceil(size.width * scale)));
  const int height = std::max(1, static_cast<int>(std::ceil(size.height * scale)));
  // One surface kept for the next drawing of the same size: a fresh one would be zeroed page by
  // page by the system, which costs more than the drawing of a screen.
  thread_local Surface surface;
  if (!surface || cairo_image_surface_get_width(surface.get()) != width ||
      cairo_image_surface_get_height(surface.get()) != height) {
    surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  }
  Context cr(cairo_create(surface.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr.get());
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
  paint(cr.get(), view, scale, ground);
  cairo_surface_flush(surface.get());
  return Image("snapshot", size, std::make_shared<const std::string>(pngBytes(surface.get())));
}

}  // namespace

Image renderView(const View& view, double scale) { return render(view, scale, std::nullopt); }

void drawView(const View& view, double scale, const PixelBuffer& target) {
  if (!target.data || target.width <= 0 || target.height <= 0 || target.stride < 4 * target.width ||
      target.stride % 4 != 0) {
    return;
  }
  if (!(scale > 0) || !std::isfinite(scale)) scale = kDefaultRenderScale;
  Surface surface(cairo_image_surface_create_for_data(target.data, CAIRO_FORMAT_ARGB32,
                                                      target.width, target.height, target.stride));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return;
  Context cr(cairo_create(surface.get()));
  cairo_set_font_options(cr.get(), textOptions());
  cairo_scale(cr.get(), scale, scale);
  drawView(cr.get(), view, view.frame().size(), true, scale, view.effectiveLayoutDirection());
  cairo_surface_flush(surface.get());
}

Image renderWindow(const Window& window, double scale) {
  return render(window, scale, Color::white());
}

bool drawWindow(const Window& window, double scale, const PixelBuffer& target) {
  if (!target.data || target.width <= 0 || target.height <= 0 || target.stride / 4 < target.width ||
      target.stride % 4 != 0) {
    return false;
  }
  Surface surface(cairo_image_surface_create_for_data(target.data, CAIRO_FORMAT_ARGB32,
                                                      target.width, target.height, target.stride));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return false;
  Context cr(cairo_create(surface.get()));
  paint(cr.get(), window, validScale(scale), Color::white());
  cairo_surface_flush(surface.get());
  return true;
}

std::optional<std::string> writeImage(const Image& image, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(image.bytes().data(), static_cast<std::streamsize>(image.bytes().size()));
  if (out) out.close();
  if (!out) return "cannot write the image to " + path;
  return std::nullopt;
}

std::optional<Image> grayImage(std::string name, int width, int height,
                               std::span<const std::uint8_t> pixels, bool pixelArt) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return std::nullopt;
  }
  return Image(std::move(name), {static_cast<double>(width), static_cast<double>(height)},
               std::make_shared<const std::string>(encodePng(
                   width, height, 1,
                   [&](int y, std::uint8_t* out) {
                     std::copy_n(pixels.data() + static_cast<std::size_t>(y) * width, width, out);
                   })),
               pixelArt);
}

bool drawsTextWhole(const View& view) {
  const LayoutDirection direction = view.effectiveLayoutDirection();
  const Rect bounds = view.bounds();
  if (const auto* label = dynamic_cast<const Label*>(&view)) {
    const StyledText* styled = label->attributedText ? &*label->attributedText : nullptr;
    if (!styled && label->text.empty()) return true;
    return fitsWhole(label->text, styled, labelStyle(*label, bounds, direction), bounds.size());
  }
  if (const auto* button = dynamic_cast<const Button*>(&view)) {
    const std::string title = button->title(button->state());
    if (title.empty()) return true;
    const TextStyle style{button->titleFont, 1, -1, 1, TextAlignment::kLeading, true, direction};
    return fitsWhole(title, nullptr, style, {buttonTitleRoom(*button, bounds), bounds.height});
  }
  if (const auto* field = dynamic_cast<const TextField*>(&view)) {
    if (field->placeholder.empty()) return true;
    const double inset = field->borderStyle == TextBorderStyle::kNone ? 0 : kFieldInset;
    const EdgeInsets& extra = field->textInsets;
    const Size area{bounds.width - 2 * inset - extra.left - extra.right,
                    bounds.height - extra.top - extra.bottom};
    const TextStyle style{field->font, 1, -1, 1, TextAlignment::kLeading, false, direction};
    return fitsWhole(field->placeholder, nullptr, style, area);
  }
  if (const auto* bar = dynamic_cast<const NavigationBar*>(&view)) {
    if (bar->title().empty()) return true;
    const Rect area = titleArea(*bar, bounds);
    return fitsWhole(bar->title(), nullptr, titleStyle(*bar, area, direction), area.size());
  }
  return true;
}

Size measureText(std::string_view text, const Font& font, double maxWidth, int numberOfLines) {
  TextStyle style{font,
                  1,
                  numberOfLines == 1 ? -1 : std::max(0.0, maxWidth),
                  std::max(0, numberOfLines),
                  TextAlignment::kLeading,
                  true,
                  userInterfaceLayoutDirection()};
  Layout layout(pango_layout_new(measuringContext(style.direction)));
  configure(layout.get(), text, nullptr, style);
  PangoRectangle ink, logical;
  pango_layout_get_extents(layout.get(), &ink, &logical);
  // Marks that reach beyond the line (Arabic hamza, Thai tone marks set in a fallback font) get
  // room on both sides, since text is centred vertically in its view.
  const double beyond = std::max(
      {0.0, static_cast<double>(logical.y - ink.y) / PANGO_SCALE,
       static_cast<double>((ink.y + ink.height) - (logical.y + logical.height)) / PANGO_SCALE});
  return {static_cast<double>(logical.width) / PANGO_SCALE,
          static_cast<double>(logical.height) / PANGO_SCALE + 2 * beyond};
}

}  // namespace zelto::platform

#if defined(__SANITIZE_ADDRESS__)
#define ZELTO_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELTO_LEAK_CHECKED 1
#endif
#endif
#ifdef ZELTO_LEAK_CHECKED
// fontconfig keeps the font patterns it has matched for the life of the process and frees them
// only when told to shut down, which pango never does; the leak checker is told these are not
// the library's leaks, and not to list the suppressions it used, so that a program's error
// output holds only what the program wrote.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif
