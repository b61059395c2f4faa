#include "platform/print_document.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numbers>

#include "platform/png_codec.h"
#include "platform/qr_code.h"

namespace zelto::platform {
namespace {

constexpr double kPointsPerMillimetre = 72 / 25.4;

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// A vector surface of `size` points that writes its document into `out`.
Surface documentSurface(DocumentFormat format, Size size, std::string& out) {
  if (format == DocumentFormat::kPdf) {
    Surface surface(
        cairo_pdf_surface_create_for_stream(appendBytes, &out, size.width, size.height));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "ZeltoMerchantSDK");
    return surface;
  }
  Surface surface(cairo_svg_surface_create_for_stream(appendBytes, &out, size.width, size.height));
  cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PT);
  return surface;
}

// Fills the dark modules of `symbol`, each `module` units square, from (x, y): each row's runs of
// dark modules as one rectangle, all in one path so that touching rectangles leave no seam.
void fillModules(cairo_t* cr, const QrModules& symbol, double x, double y, double module) {
  for (int row = 0; row < symbol.side; ++row) {
    for (int column = 0; column < symbol.side;) {
      if (!symbol.isDark(column, row)) {
        ++column;
        continue;
      }
      const int start = column;
      while (column < symbol.side && symbol.isDark(column, row)) ++column;
      cairo_rectangle(cr, x + start * module, y + row * module, (column - start) * module, module);
    }
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_fill(cr);
}

std::string qrPng(const QrModules& symbol, int moduleSize) {
  const int side = symbol.side * moduleSize;
  return encodePng(side, side, 1, [&](int y, std::uint8_t* row) {
    const int moduleRow = y / moduleSize;
    for (int x = 0; x < side; ++x) row[x] = symbol.isDark(x / moduleSize, moduleRow) ? 0 : 0xFF;
  });
}

// An SVG whose user unit is one module (the page is `moduleSize` points a module): white ground,
// then the dark modules as one path of rectangles, one a run of a row.
std::string qrSvg(const QrModules& symbol, int moduleSize) {
  const std::string side = std::to_string(symbol.side);
  const std::string size = std::to_string(symbol.side * moduleSize) + "pt";
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
      side + " " + side + "\" width=\"" + size + "\" height=\"" + size +
      "\" shape-rendering=\"crispEdges\">\n<rect width=\"" + side + "\" height=\"" + side +
      "\" fill=\"#ffffff\"/>\n<path fill=\"#000000\" d=\"";
  for (int y = 0; y < symbol.side; ++y) {
    for (int x = 0; x < symbol.side;) {
      if (!symbol.isDark(x, y)) {
        ++x;
        continue;
      }
      int end = x;
      while (end < symbol.side && symbol.isDark(end, y)) ++end;
      const std::string run = std::to_string(end - x);
      svg += "M" + std::to_string(x) + " " + std::to_string(y) + "h" + run + "v1h-" + run + "z";
      x = end;
    }
  }
  return svg + "\"/>\n</svg>\n";
}

std::string qrPdf(const QrModules& symbol, int moduleSize) {
  const double side = static_cast<double>(symbol.side) * moduleSize;
  std::string out;
  {
    const Surface surface = documentSurface(DocumentFormat::kPdf, {side, side}, out);
    const Context cr(cairo_create(surface.get()));
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    fillModules(cr.get(), symbol, 0, 0, moduleSize);
    cairo_surface_finish(surface.get());
  }
  return out;
}

void setColor(cairo_t* cr, const Color& color) {
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

struct ObjectDeleter {
  void operator()(void* object) const { g_object_unref(object); }
};

// A text centred in a column `width` points wide, at most `lines` lines, cut with an ellipsis
// past them.
class TextBlock {
 public:
  TextBlock(cairo_t* cr, std::string_view text, double size, PangoWeight weight, double width,
            int lines)
      : layout_(pango_cairo_create_layout(cr)) {
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family_static(font, "Inter");
    pango_font_description_set_weight(font, weight);
    pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
    pango_layout_set_font_description(layout_.get(), font);
    pango_font_description_free(font);
    pango_layout_set_text(layout_.get(), text.data(), static_cast<int>(text.size()));
    pango_layout_set_width(layout_.get(), static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_alignment(layout_.get(), PANGO_ALIGN_CENTER);
    pango_layout_set_wrap(layout_.get(), PANGO_WRAP_WORD_CHAR);
    pango_layout_set_height(layout_.get(), -lines);
    pango_layout_set_ellipsize(layout_.get(), PANGO_ELLIPSIZE_END);
    if (!text.empty()) {
      int height = 0;
      pango_layout_get_size(layout_.get(), nullptr, &height);
      height_ = static_cast<double>(height) / PANGO_SCALE;
    }
  }
  double height() const { return height_; }
  void show(cairo_t* cr, const Color& color, double x, double y) const {
    if (height_ == 0) return;
    setColor(cr, color);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout_.get());
  }

 private:
  std::unique_ptr<PangoLayout, ObjectDeleter> layout_;
  double height_ = 0;
};

void roundedRect(cairo_t* cr, double x, double y, double width, double height, double radius) {
  constexpr double kQuarter = std::numbers::pi / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + width - radius, y + radius, radius, -kQuarter, 0);
  cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, kQuarter);
  cairo_arc(cr, x + radius, y + height - radius, radius, kQuarter, 2 * kQuarter);
  cairo_arc(cr, x + radius, y + radius, radius, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(cr);
}

// The logos in one centred row, each `height` points high and as wide as its picture allows,
// `gap` apart; a row wider than `width` is shrunk to fit.
void showLogos(cairo_t* cr, const std::vector<Image>& logos, double centreX, double y, double width,
               double height, double gap) {
  std::vector<std::pair<Surface, double>> pictures;
  double total = 0;
  for (const Image& logo : logos) {
    Surface picture = decodePng(logo.bytes());
    if (!picture) continue;
    const double pixelWidth = cairo_image_surface_get_width(picture.get());
    const double pixelHeight = cairo_image_surface_get_height(picture.get());
    if (pixelWidth <= 0 || pixelHeight <= 0) continue;
    const double logoWidth = height * pixelWidth / pixelHeight;
    total += logoWidth + (pictures.empty() ? 0 : gap);
    pictures.emplace_back(std::move(picture), logoWidth);
  }
  if (pictures.empty()) return;
  const double shrink = std::min(1.0, width / total);
  double x = centreX - total * shrink / 2;
  for (const auto& [picture, logoWidth] : pictures) {
    const double pixelHeight = cairo_image_surface_get_height(picture.get());
    cairo_save(cr);
    cairo_translate(cr, x, y + height * (1 - shrink) / 2);
    const double factor = height * shrink / pixelHeight;
    cairo_scale(cr, factor, factor);
    cairo_set_source_surface(cr, picture.get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    x += (logoWidth + gap) * shrink;
  }
}

// The layout, in the points of an A6 page; larger pages scale it.
constexpr double kA6Width = 105 * kPointsPerMillimetre;
constexpr double kMargin = 20;
constexpr double kBandRadius = 14;
constexpr double kCodeSide = 64 * kPointsPerMillimetre;
constexpr double kFramePadding = 6;
constexpr double kLogoHeight = 20;

void layOutPoster(cairo_t* cr, const PosterContent& content, const QrModules& symbol, Size page) {
  const double width = page.width;
  const double column = width - 2 * kMargin;
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);

  // The band: title, name, city.
  const TextBlock title(cr, content.title, 13, PANGO_WEIGHT_SEMIBOLD, column, 1);
  const TextBlock name(cr, content.merchantName, 20, PANGO_WEIGHT_BOLD, column, 2);
  const TextBlock city(cr, content.city, 12, PANGO_WEIGHT_NORMAL, column, 1);
  const double nameTop = 22 + title.height() + 6;
  const double cityTop = nameTop + name.height() + 2;
  const double bandBottom = cityTop + city.height() + 18;
  setColor(cr, content.accent);
  cairo_rectangle(cr, 0, 0, width, bandBottom - kBandRadius);
  roundedRect(cr, 0, 0, width, bandBottom, kBandRadius);
  cairo_fill(cr);
  title.show(cr, content.onAccent, kMargin, 22);
  name.show(cr, content.onAccent, kMargin, nameTop);
  Color citySoft = content.onAccent;
  citySoft.alpha *= 0.75;
  city.show(cr, citySoft, kMargin, cityTop);

  // The code in its frame.
  const double frameSide = kCodeSide + 2 * kFramePadding;
  const double frameX = (width - frameSide) / 2;
  double y = bandBottom + 18;
  cairo_set_source_rgb(cr, 1, 1, 1);
  roundedRect(cr, frameX, y, frameSide, frameSide, 8);
  cairo_fill_preserve(cr);
  setColor(cr, content.frame);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  fillModules(cr, symbol, frameX + kFramePadding, y + kFramePadding,
              kCodeSide / static_cast<double>(symbol.side));
  y += frameSide + 12;

  const TextBlock amount(cr, content.amount, 20, PANGO_WEIGHT_BOLD, column, 1);
  if (amount.height() > 0) {
    amount.show(cr, content.ink, kMargin, y);
    y += amount.height() + 10;
  }
  showLogos(cr, content.logos, width / 2, y, column, kLogoHeight, 10);
  y += kLogoHeight + 12;
  TextBlock(cr, content.hint, 10, PANGO_WEIGHT_NORMAL, column, 3)
      .show(cr, content.secondary, kMargin, y);
}

}  // namespace

std::optional<std::string> qrDocument(std::string_view text, DocumentFormat format,
                                      int moduleSize) {
  if (moduleSize < 1 || moduleSize > kMaxModuleSize) return std::nullopt;
  const std::optional<QrModules> symbol = qrCodeModules(text);
  if (!symbol) return std::nullopt;
  switch (format) {
    case DocumentFormat::kSvg:
      return qrSvg(*symbol, moduleSize);
    case DocumentFormat::kPdf:
      return qrPdf(*symbol, moduleSize);
    case DocumentFormat::kPng:
      break;
  }
  return qrPng(*symbol, moduleSize);
}

Size paperSize(PaperSize paper) {
  switch (paper) {
    case PaperSize::kA5:
      return {148 * kPointsPerMillimetre, 210 * kPointsPerMillimetre};
    case PaperSize::kA4:
      return {210 * kPointsPerMillimetre, 297 * kPointsPerMillimetre};
    case PaperSize::kA6:
      break;
  }
  return {105 * kPointsPerMillimetre, 148 * kPointsPerMillimetre};
}

std::optional<std::string> drawPoster(const PosterContent& content, DocumentFormat format,
                                      PaperSize paper) {
  if (format == DocumentFormat::kPng) return std::nullopt;
  const std::optional<QrModules> symbol = qrCodeModules(content.payload);
  if (!symbol) return std::nullopt;
  const Size page = paperSize(paper);
  const double factor = page.width / kA6Width;
  std::string out;
  {
    const Surface surface = documentSurface(format, page, out);
    const Context cr(cairo_create(surface.get()));
    cairo_scale(cr.get(), factor, factor);
    layOutPoster(cr.get(), content, *symbol, {kA6Width, page.height / factor});
    cairo_show_page(cr.get());
    cairo_surface_finish(surface.get());
  }
  return out;
}

}  // namespace zelto::platform
