#include <gtest/gtest.h>
#include <stdlib.h>
#include <zelto/currency/amount_format.h>

#include <limits>
#include <string>

#include "base/text.h"
#include "currency/locale_utility.h"

namespace zelto {
namespace {

using currency::currencyForText;
using currency::plainDecimalString;

void pinDevice(const char* locale) {
  ::setenv("LC_ALL", locale, 1);
  ::unsetenv("LC_MONETARY");
  ::unsetenv("LANG");
}

TEST(LocaleUtilityTest, NumericCodesResolveToLocalesAndAlphabeticCodes) {
  struct Case {
    std::string_view code;
    std::optional<std::string> locale;
    std::string alphabetic;
  };
  const Case cases[] = {
      {"840", "en_US", "USD"},          {"+840", "en_US", "USD"},
      {"036", "en_NF", "AUD"},          {"586", "en_IN", "PKR"},
      {"974", "en_BY", "BYR"},          {"932", std::nullopt, "ZWD"},
      {"999", std::nullopt, "XXX"},     {"222", std::nullopt, ""},
      {"933", std::nullopt, ""},        {"abc", std::nullopt, ""},
      {"", std::nullopt, ""},           {" 840", std::nullopt, ""},
      {"840.0", std::nullopt, ""},      {"99999999999999999999", std::nullopt, ""},
      {"4294967336", std::nullopt, ""},  // 2^32 + 40 must not wrap onto 40
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZeltoLocaleUtility::localeFromISOCode(c.code), c.locale) << c.code;
    EXPECT_EQ(ZeltoLocaleUtility::getCurrencySymbol(c.code), c.alphabetic) << c.code;
  }
}

TEST(AmountEntryTest, DigitsAreMinorUnitsOfTheFlowCurrency) {
  struct Case {
    std::string_view active;
    std::optional<std::string> typed;
    std::string display;
    double amount;
    const char* device = "en_US.UTF-8";
  };
  // Only ASCII digits count. The tool tests type the amounts digit by digit.
  const Case cases[] = {
      {"840", "1", "$0.01", 0.01},
      {"840", "$1.234", "$12.34", 12.34},
      {"840", "1234567890123", "$12,345,678,901.23", 12345678901.23},
      {"840", "", "$0.00", 0},
      {"840", std::nullopt, "$0.00", 0},
      {"840", "٣٤", "$0.00", 0},
      {"840", std::string(400, '9'), "$0.00", 0},
      {"392", "¥1,234", "¥1,234", 1234},
      {"368", "1234", "KWD\u00A01.234", 1.234},
      {"356", "123456789", "₹12,34,567.89", 1234567.89},
      // The flow's exact code chooses the locale: 586 and 834 show in en_US, 368 in en_KW.
      {"586", "1234", "$12.34", 12.34},
      {"834", "1234", "$12.34", 12.34},
      {"0586", "1234", "₹12.34", 12.34},
      // Separators are the device's, symbols and grouping sizes the currency locale's.
      {"840", "123456", "$1.234,56", 1234.56, "de_DE.UTF-8"},
      {"978", "123456", "€1.234,56", 1234.56, "de_DE.UTF-8"},
      {"840", "123456", "$1\u202F234,56", 1234.56, "fr_FR.UTF-8"},
      {"840", "123456", "$1,234.56", 1234.56, "C"},
      {"840", "123456", "$1,234.56", 1234.56, "en_IN"},
      {"999", "123456", "1.234,56\u00A0€", 1234.56, "de_DE.UTF-8"},  // no locale: the device's
      {"abc", "123456", "1.234,56\u00A0€", 1234.56, "de_DE.UTF-8"},
  };
  for (const Case& c : cases) {
    pinDevice(c.device);
    CurrencyText entered = currencyForText(c.typed, c.active);
    EXPECT_EQ(entered.text, c.display) << c.active << " " << c.typed.value_or("(absent)");
    EXPECT_DOUBLE_EQ(entered.amount, c.amount) << c.active << " " << c.typed.value_or("(absent)");
  }
}

TEST(ISOCurrencyComponentsTest, AmountsLoseTheSymbolAndOuterSpaces) {
  struct Case {
    double amount;
    std::string_view code;
    std::string_view active;
    ISOCurrencyComponents expected;
  };
  const Case cases[] = {
      {12.345, "840", "840", {"USD", "12.35"}},  // half-up
      {2.5, "392", "392", {"JPY", "3"}},
      {1.2345, "368", "368", {"IQD", "1.235"}},
      {5, "abc", "840", {"", "5.00"}},
      {5, "978", "840", {"EUR", "5.00"}},  // the code names, the flow formats
      {std::numeric_limits<double>::quiet_NaN(), "840", "840", {"", ""}},
      {std::numeric_limits<double>::infinity(), "840", "840", {"", ""}},
  };
  pinDevice("en_US.UTF-8");
  for (const Case& c : cases) {
    EXPECT_EQ(currency::isoCurrencyComponents(c.amount, c.code, c.active), c.expected)
        << c.amount << " " << c.code << " in " << c.active;
  }
}

TEST(PlainDecimalStringTest, DisplayTextBecomesAPlainDecimal) {
  struct Case {
    const char* device;
    std::string_view active;
    std::string display;
    std::string plain;
  };
  // Texts typed or pasted rather than formatted; formatted ones are in the round trip below.
  const Case cases[] = {
      {"en_US.UTF-8", "840", "$\u00A012", "12"},
      {"en_US.UTF-8", "368", "KWD\u00A01,234.500", "1234.500"},
      {"de_DE.UTF-8", "978", "1.234,56 €", "1234.56 "},
      {"de_DE.UTF-8", "978", "1.234,56\u00A0€", "1234.56"},
      {"ar_EG.UTF-8", "999", "\u200F1٬234٫56\u00A0ج.م.\u200F", "1234.56"},
  };
  for (const Case& c : cases) {
    pinDevice(c.device);
    EXPECT_EQ(plainDecimalString(c.display, c.active), c.plain) << c.device << " " << c.display;
  }
}

TEST(AmountEntryTest, EntryRoundTripsThroughThePlainDecimal) {
  for (const char* device : {"en_US.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "ar_EG.UTF-8"}) {
    pinDevice(device);
    // 999 has no locale of its own: the device's currency shows, still with ASCII digits; the
    // symbol of 532, "NAf.", holds the grouping separator of some devices.
    for (std::string_view active : {"840", "392", "368", "356", "978", "532", "999"}) {
      CurrencyText entered = currencyForText("1234567", active);
      std::string plain = plainDecimalString(entered.text, active);
      EXPECT_EQ(text::parseDouble(plain), entered.amount)
          << device << " " << active << " " << plain;
    }
  }
}

}  // namespace
}  // namespace zelto
