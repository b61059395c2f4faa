#include <gtest/gtest.h>
#include <zelto/results/zelto_card_details.h>

#include "base/resource_bundle.h"

namespace zelto {
namespace {

using Type = ZeltoCardDetails::ZeltoCardType;
using platform::Color;

TEST(CreditCardFormatTest, GroupsOfFourCharacters) {
  struct Case {
    std::string text;
    std::string formatted;
  };
  const Case cases[] = {
      {"", ""},
      {"4111", "4111"},
      {"41111", "4111 1"},
      {"41111111", "4111 1111"},
      {"4111 1111", "4111  111 1"},  // existing spaces are grouped like digits
      {"ab-cdéf", "ab-c déf"},
      {"12🇮🇳🇺🇸345", "12🇮🇳🇺🇸 345"},  // a flag is one character
      {"e\u0301e\u0301e\u0301e\u0301e\u0301", "e\u0301e\u0301e\u0301e\u0301 e\u0301"},
  };
  for (const Case& c : cases) EXPECT_EQ(creditCardFormat(c.text), c.formatted) << c.text;
}

TEST(ZeltoCardTypeTest, RawValuesZeroToFour) {
  for (int raw = 0; raw <= 4; ++raw) {
    auto type = ZeltoCardDetails::cardTypeFromRawValue(raw);
    ASSERT_TRUE(type.has_value()) << raw;
    EXPECT_EQ(ZeltoCardDetails::rawValue(*type), raw);
  }
  EXPECT_EQ(ZeltoCardDetails::cardTypeFromRawValue(2), Type::mastercard);
  for (std::int64_t raw : {-1LL, 5LL, 1LL << 40}) {
    EXPECT_EQ(ZeltoCardDetails::cardTypeFromRawValue(raw), std::nullopt) << raw;
  }
}

TEST(ZeltoCardDetailsTest, NetworkInitialiserSetsNameAndLogo) {
  struct Case {
    Type type;
    std::string name;
    std::string logo;
  };
  const Case cases[] = {
      {Type::none, "Other", "card_placeholder"},
      {Type::orvan, "Orvan", "img_card_logo_orvan_white"},
      {Type::mastercard, "Master Card", "card_network_logo_mastercard"},
      {Type::rupay, "Rupay", "card_network_logo_rupay"},
      {Type::other, "Other", "card_placeholder"},
      {static_cast<Type>(9), "Other", "card_placeholder"},
  };
  for (const Case& c : cases) {
    ZeltoCardDetails card("4242", "Debit", std::nullopt, std::nullopt, std::nullopt, c.type);
    EXPECT_EQ(card.networkName(), c.name);
    ASSERT_TRUE(card.networkLogo().has_value()) << c.logo;
    EXPECT_EQ(card.networkLogo()->name(), c.logo);
    EXPECT_FALSE(card.networkLogo()->empty()) << c.logo;  // the image ships with the library
  }
}

}  // namespace
}  // namespace zelto
