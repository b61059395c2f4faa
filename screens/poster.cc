#include "screens/poster.h"

#include "base/resource_bundle.h"
#include "base/text.h"
#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "sdk/session.h"
#include "sdk/utilities.h"

namespace zelto {

platform::PosterContent posterContent(const ZeltoPaymentRequest& request) {
  const KitTheme theme = KitTheme::current();
  platform::PosterContent content;
  content.title = platform::localizedString("SCAN_TO_PAY_TITLE");
  content.merchantName = request.merchantName;
  content.city = request.cityName;
  const double amount = text::parseDouble(request.transactionAmount.value_or("")).value_or(0);
  if (amount > 0) {
    const auto components = Utilities::getISOCurrencyComponents(amount, request.currencyCode);
    content.amount = components.ISOCurrencyCode + " " + components.formattedAmount;
  }
  content.payload = request.getTLV();
  content.hint = platform::localizedString("POSTER_HINT");
  content.logos.push_back(KitBundle::image("network_logo_zelto"));
  const auto& configured =
      ZeltoSession::sharedSession().internalConfiguration()->supportedNetworkImage;
  if (configured) content.logos.insert(content.logos.end(), configured->begin(), configured->end());
  content.accent = theme.background;
  content.onAccent = theme.fontColor;
  content.ink = KitPalette::ink();
  content.secondary = KitPalette::slate();
  content.frame = KitPalette::border();
  return content;
}

}  // namespace zelto
