// ZeltoCardDetails: one payment card as the card views show it: last four digits, a label of the
// card kind, colours and images, and the card network with its name and logo. Network logos
// and the placeholder come from the library's own resource bundle.
//
//   network      raw  name           logo image
//   none         0    "Other"        card_placeholder
//   orvan        1    "Orvan"        img_card_logo_orvan_white
//   mastercard   2    "Master Card"  card_network_logo_mastercard
//   rupay        3    "Rupay"        card_network_logo_rupay
//   other        4    "Other"        card_placeholder
//
// Nothing is checked: any texts are stored as given. Card views are laid out for labels of up
// to maximumCardTypeLength (25) characters.
//
// Thread-safety: a plain record; callers serialise access.
#ifndef ZELTO_RESULTS_ZELTO_CARD_DETAILS_H_
#define ZELTO_RESULTS_ZELTO_CARD_DETAILS_H_

#include <zelto/base/color.h>
#include <zelto/base/image.h>
#include <zelto/export.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelto {

class ZELTO_EXPORT ZeltoCardDetails {
 public:
  enum class ZeltoCardType : int { none = 0, orvan = 1, mastercard = 2, rupay = 3, other = 4 };

  // The network of raw value 0 to 4; nothing for any other number.
  static std::optional<ZeltoCardType> cardTypeFromRawValue(std::int64_t rawValue);
  static int rawValue(ZeltoCardType type) { return static_cast<int>(type); }

  static constexpr int maximumCardTypeLength = 25;

  // Stores every value as given; an absent cardArtColor is the colour of "#1869d6". The network
  // is `none`, whatever name and logo are given.
  ZeltoCardDetails(std::string lastFourDigits, std::string cardType,
                   std::optional<platform::Image> issuerLogo,
                   std::optional<platform::Color> cardArtColor,
                   std::optional<platform::Image> cardArtOverlay, std::string networkName = "",
                   std::optional<platform::Image> networkLogo = std::nullopt);

  // As above, with the network's name and logo taken from the table at the top. A value outside
  // the table is treated like `none`.
  ZeltoCardDetails(std::string lastFourDigits, std::string cardType,
                   std::optional<platform::Image> issuerLogo,
                   std::optional<platform::Color> cardArtColor,
                   std::optional<platform::Image> cardArtOverlay, ZeltoCardType networkType);

  const std::string& lastFourDigits() const { return lastFourDigits_; }
  const std::string& cardType() const { return cardType_; }
  const std::optional<platform::Image>& issuerLogo() const { return issuerLogo_; }
  const std::optional<platform::Color>& cardArtColor() const { return cardArtColor_; }
  const std::optional<platform::Image>& cardArtOverlay() const { return cardArtOverlay_; }
  const std::string& networkName() const { return networkName_; }
  const std::optional<platform::Image>& networkLogo() const { return networkLogo_; }

  // Settable; setting it later does not change the network's name or logo.
  ZeltoCardType networkType = ZeltoCardType::none;

 private:
  std::string lastFourDigits_;
  std::string cardType_;
  std::optional<platform::Image> issuerLogo_;
  std::optional<platform::Color> cardArtColor_;
  std::optional<platform::Image> cardArtOverlay_;
  std::string networkName_;
  std::optional<platform::Image> networkLogo_;
};

// Why a card number would be refused. Declared for hosts that check card numbers themselves; no
// operation of this library produces these errors.
enum class CreditCardValidationError {
  invalidLength,
  invalidFormat,
  invalidPrefix,
  invalidLuhnCheck
};

// The interface of a card-number checker; the library requires no operation of it.
class CreditCardValidationProtocol {
 public:
  virtual ~CreditCardValidationProtocol() = default;
};

// The library's card-number checker: it has no fields or operations.
class CreditCardValidator : public CreditCardValidationProtocol {};

// `text` in groups of four user-perceived characters separated by single spaces, for display:
// "4111111111111111" gives "4111 1111 1111 1111", "12345" gives "1234 5", "" gives "". The text
// is neither checked nor stripped: spaces and other characters already in it are grouped like
// digits.
std::string creditCardFormat(std::string_view text);

}  // namespace zelto

#endif  // ZELTO_RESULTS_ZELTO_CARD_DETAILS_H_
