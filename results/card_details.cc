#include <zelto/results/zelto_card_details.h>

#include <utility>

#include "base/resource_bundle.h"
#include "base/text.h"

namespace zelto {
namespace {

constexpr std::string_view kDefaultCardArtColor = "#1869d6";
constexpr std::size_t kGroupSize = 4;

struct Network {
  std::string_view name;
  std::string_view logo;
};

Network networkOf(ZeltoCardDetails::ZeltoCardType type) {
  using Type = ZeltoCardDetails::ZeltoCardType;
  switch (type) {
    case Type::orvan:
      return {"Orvan", "img_card_logo_orvan_white"};
    case Type::mastercard:
      return {"Master Card", "card_network_logo_mastercard"};
    case Type::rupay:
      return {"Rupay", "card_network_logo_rupay"};
    case Type::none:
    case Type::other:
      break;
  }
  return {"Other", "card_placeholder"};
}

}  // namespace

std::optional<ZeltoCardDetails::ZeltoCardType> ZeltoCardDetails::cardTypeFromRawValue(
    std::int64_t rawValue) {
  if (rawValue < 0 || rawValue > 4) return std::nullopt;
  return static_cast<ZeltoCardType>(rawValue);
}

ZeltoCardDetails::ZeltoCardDetails(std::string lastFourDigits, std::string cardType,
                                   std::optional<platform::Image> issuerLogo,
                                   std::optional<platform::Color> cardArtColor,
                                   std::optional<platform::Image> cardArtOverlay,
                                   std::string networkName,
                                   std::optional<platform::Image> networkLogo)
    : lastFourDigits_(std::move(lastFourDigits)),
      cardType_(std::move(cardType)),
      issuerLogo_(std::move(issuerLogo)),
      cardArtColor_(cardArtColor ? *cardArtColor : platform::Color::fromHex(kDefaultCardArtColor)),
      cardArtOverlay_(std::move(cardArtOverlay)),
      networkName_(std::move(networkName)),
      networkLogo_(std::move(networkLogo)) {}

ZeltoCardDetails::ZeltoCardDetails(std::string lastFourDigits, std::string cardType,
                                   std::optional<platform::Image> issuerLogo,
                                   std::optional<platform::Color> cardArtColor,
                                   std::optional<platform::Image> cardArtOverlay,
                                   ZeltoCardType networkType)
    : ZeltoCardDetails(std::move(lastFourDigits), std::move(cardType), std::move(issuerLogo),
                       cardArtColor, std::move(cardArtOverlay)) {
  this->networkType = networkType;
  Network network = networkOf(networkType);
  networkName_ = network.name;
  networkLogo_ = platform::imageNamed(network.logo);
}

std::string creditCardFormat(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / kGroupSize);
  while (!text.empty()) {
    std::size_t end = text::advanceCharacters(text, kGroupSize).value_or(text.size());
    if (!result.empty()) result += ' ';
    result += text.substr(0, end);
    text.remove_prefix(end);
  }
  return result;
}

}  // namespace zelto
