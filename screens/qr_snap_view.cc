#include "screens/qr_snap_view.h"

#include <unicode/calendar.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>

#include <algorithm>

#include "base/device_locale.h"
#include "kit/kit_theme.h"

namespace zelto {

void QRSnapView::prepareView() {
  while (!subviews().empty()) subviews().back()->removeFromSuperview();
  const auto size = frame().size();
  backgroundColor = KitPalette::mist();

  auto band = std::make_shared<platform::View>(platform::Rect{0, 0, size.width, kBandHeight});
  band->backgroundColor = KitPalette::navy();
  addSubview(band);
  generatedOnLabel = std::make_shared<platform::Label>(
      platform::Rect{kPadding, 0, std::max(0.0, size.width - 2 * kPadding), kBandHeight});
  generatedOnLabel->text = "Generated on " + getCurrentDate();
  generatedOnLabel->textColor = platform::Color::white();
  generatedOnLabel->font = platform::Font::boldSystemFont(15);
  generatedOnLabel->textAlignment = platform::TextAlignment::kCenter;
  generatedOnLabel->adjustsFontSizeToFitWidth = true;
  generatedOnLabel->minimumScaleFactor = 0.6;
  generatedOnLabel->accessibilityIdentifier = "Generated_On_Label";
  // The band and the hint are English in every language: set left to right, so that a
  // right-to-left screen does not carry their full stop to the start.
  generatedOnLabel->semanticContentAttribute =
      platform::SemanticContentAttribute::kForceLeftToRight;
  band->addSubview(generatedOnLabel);

  const double imageTop = kBandHeight + kPadding;
  qrImageView = std::make_shared<platform::ImageView>(
      platform::Rect{0, imageTop, size.width, std::max(0.0, size.height - imageTop - kHintHeight)});
  qrImageView->backgroundColor = platform::Color::white();
  qrImageView->contentMode = platform::ContentMode::kScaleAspectFit;
  qrImageView->accessibilityIdentifier = "Snapshot_Image";
  addSubview(qrImageView);

  hintLabel = std::make_shared<platform::Label>(
      platform::Rect{kPadding, std::max(0.0, size.height - kHintHeight),
                     std::max(0.0, size.width - 2 * kPadding), kHintHeight});
  hintLabel->text = "Save as image and load it from your photo library to pay.";
  hintLabel->textColor = KitPalette::hint();
  hintLabel->font = platform::Font::systemFont(15);
  hintLabel->textAlignment = platform::TextAlignment::kCenter;
  hintLabel->adjustsFontSizeToFitWidth = true;
  hintLabel->minimumScaleFactor = 0.5;
  hintLabel->accessibilityIdentifier = "Share_Hint_Label";
  hintLabel->semanticContentAttribute = platform::SemanticContentAttribute::kForceLeftToRight;
  addSubview(hintLabel);
}

std::string QRSnapView::getCurrentDate() { return formatDate(icu::Calendar::getNow()); }

std::string QRSnapView::formatDate(double millisecondsSinceEpoch) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale locale(platform::deviceLocaleIdentifier().c_str());
  icu::SimpleDateFormat format(icu::UnicodeString(u"dd MMM yyyy, h:mm a"), locale, status);
  if (U_FAILURE(status)) return "";
  icu::DateFormatSymbols symbols(*format.getDateFormatSymbols());
  const icu::UnicodeString periods[] = {u"AM", u"PM"};
  symbols.setAmPmStrings(periods, 2);
  format.setDateFormatSymbols(symbols);
  icu::UnicodeString formatted;
  format.format(millisecondsSinceEpoch, formatted);
  std::string text;
  formatted.toUTF8String(text);
  return text;
}

}  // namespace zelto
