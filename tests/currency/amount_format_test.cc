#include "currency/amount_format.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <limits>
#include <string>

#include "currency/currency_formatter.h"
#include "currency/locale_utility.h"
#include "platform/text.h"

namespace zelto {
namespace {

using currency::currencyForText;
using currency::isoCurrencyComponents;
using currency::plainDecimalString;

// Pins the device locale for one test.
class DeviceLocale {
 public:
  explicit DeviceLocale(const char* locale) {
    ::setenv("LC_ALL", locale, 1);
    ::unsetenv("LC_MONETARY");
    ::unsetenv("LANG");
  }
};

TEST(LocaleUtilityTest, NumericCodesResolveToLocalesAndAlphabeticCodes) {
  struct Case {
    std::string_view code;
    std::optional<std::string> locale;
    std::string alphabetic;
  };
  const Case cases[] = {
      {"356", "en_IN", "INR"},
      {"036", "en_NF", "AUD"},
      {"978", "en_EA", "EUR"},
      {"840", "en_US", "USD"},
      {"+840", "en_US", "USD"},
      {"586", "en_IN", "PKR"},
      {"960", std::nullopt, "XDR"},
      {"932", std::nullopt, "ZWD"},
      {"999", std::nullopt, "XXX"},
      {"974", "en_BY", "BYR"},
      {"222", std::nullopt, ""},
      {"933", std::nullopt, ""},
      {"abc", std::nullopt, ""},
      {"", std::nullopt, ""},
      {" 840", std::nullopt, ""},
      {"840.0", std::nullopt, ""},
      {"99999999999999999999", std::nullopt, ""},
      {"4294967336", std::nullopt, ""},  // 2^32 + 40 must not wrap onto 40
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZeltoLocaleUtility::localeFromISOCode(c.code), c.locale) << c.code;
    EXPECT_EQ(ZeltoLocaleUtility::getCurrencySymbol(c.code), c.alphabetic) << c.code;
  }
}

TEST(CurrencyFormatterTest, TheFlowCurrencyChoosesTheLocaleByExactCode) {
  struct Case {
    std::string_view active;
    std::optional<std::string> locale;
    std::string currency;
    int fractionDigits;
  };
  const Case cases[] = {
      {"840", "en_US", "USD", 2},      {"356", "en_IN", "INR", 2}, {"392", "en_JP", "JPY", 0},
      {"368", "en_KW", "KWD", 3},      {"586", "en_US", "USD", 2}, {"834", "en_US", "USD", 2},
      {"0586", "en_IN", "INR", 2},     {"978", "en_EA", "EUR", 2}, {"999", std::nullopt, "EUR", 2},
      {"abc", std::nullopt, "EUR", 2},
  };
  DeviceLocale device("de_DE.UTF-8");
  for (const Case& c : cases) {
    auto formatter = currency::currencyFormatter(c.active);
    EXPECT_EQ(formatter->localeIdentifier(), c.locale) << c.active;
    EXPECT_EQ(formatter->currencyCode(), c.currency) << c.active;
    EXPECT_EQ(formatter->minimumFractionDigits(), c.fractionDigits) << c.active;
    EXPECT_EQ(formatter->maximumFractionDigits(), c.fractionDigits) << c.active;
    EXPECT_EQ(formatter->currencyGroupingSeparator(), ".") << c.active;
    EXPECT_EQ(formatter->currencyDecimalSeparator(), ",") << c.active;
  }
}

TEST(AmountEntryTest, DigitsAreMinorUnitsOfTheFlowCurrency) {
  struct Case {
    std::string_view active;
    std::optional<std::string> typed;
    std::string display;
    double amount;
  };
  const Case cases[] = {
      {"840", "1", "$0.01", 0.01},
      {"840", "$0.012", "$0.12", 0.12},
      {"840", "$0.123", "$1.23", 1.23},
      {"840", "$1.234", "$12.34", 12.34},
      {"840", "$12.3", "$1.23", 1.23},  // the last character of $12.34 deleted
      {"840", "1234567890123", "$12,345,678,901.23", 12345678901.23},
      {"840", "", "$0.00", 0},
      {"840", std::nullopt, "$0.00", 0},
      {"840", "abc", "$0.00", 0},
      {"840", "٣٤", "$0.00", 0},  // only ASCII digits count
      {"840", std::string(400, '9'), "$0.00", 0},
      {"392", "1", "¥1", 1},
      {"392", "¥12", "¥12", 12},
      {"392", "¥1,234", "¥1,234", 1234},
      {"368", "1", "KWD\u00A00.001", 0.001},
      {"368", "1234", "KWD\u00A01.234", 1.234},
      {"356", "123456789", "₹12,34,567.89", 1234567.89},
      {"586", "1234", "$12.34", 12.34},
      {"978", "1234", "€12.34", 12.34},
  };
  DeviceLocale device("en_US.UTF-8");
  for (const Case& c : cases) {
    CurrencyText entered = currencyForText(c.typed, c.active);
    EXPECT_EQ(entered.text, c.display) << c.active << " " << c.typed.value_or("(absent)");
    EXPECT_DOUBLE_EQ(entered.amount, c.amount) << c.active << " " << c.typed.value_or("(absent)");
  }
}

TEST(AmountEntryTest, SeparatorsAreTheDevicesAndSymbolsTheCurrencysLocale) {
  struct Case {
    const char* device;
    std::string_view active;
    std::string display;
  };
  const Case cases[] = {
      {"de_DE.UTF-8", "840", "$1.234,56"},
      {"de_DE.UTF-8", "978", "€1.234,56"},
      {"fr_FR.UTF-8", "840", "$1\u202F234,56"},
      {"C", "840", "$1,234.56"},
      {"en_IN", "840", "$1,234.56"},  // grouping sizes stay the currency locale's
  };
  for (const Case& c : cases) {
    DeviceLocale device(c.device);
    EXPECT_EQ(currencyForText("123456", c.active).text, c.display) << c.device << " " << c.active;
  }
}

TEST(ISOCurrencyComponentsTest, AmountsLoseTheSymbolAndOuterSpaces) {
  struct Case {
    double amount;
    std::string_view code;
    std::string_view active;
    ISOCurrencyComponents expected;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {1234.5, "586", "586", {"PKR", "1,234.50"}},
      {0, "840", "840", {"USD", "0.00"}},
      {12.345, "840", "840", {"USD", "12.35"}},  // half-up
      {0.125, "840", "840", {"USD", "0.13"}},
      {2.5, "392", "392", {"JPY", "3"}},
      {1.2345, "368", "368", {"IQD", "1.235"}},
      {1234.5, "356", "356", {"INR", "1,234.50"}},
      {5, "abc", "840", {"", "5.00"}},
      {5, "978", "840", {"EUR", "5.00"}},  // the code names, the flow formats
      {nan, "840", "840", {"", ""}},
      {inf, "840", "840", {"", ""}},
  };
  DeviceLocale device("en_US.UTF-8");
  for (const Case& c : cases) {
    EXPECT_EQ(isoCurrencyComponents(c.amount, c.code, c.active), c.expected)
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
  const Case cases[] = {
      {"en_US.UTF-8", "840", "$1,234.56", "1234.56"},
      {"en_US.UTF-8", "840", "1234", "1234"},
      {"en_US.UTF-8", "840", "$\u00A012", "12"},
      {"en_US.UTF-8", "368", "KWD\u00A01,234.500", "1234.500"},
      {"en_US.UTF-8", "356", "₹12,34,567.89", "1234567.89"},
      {"de_DE.UTF-8", "978", "1.234,56 €", "1234.56 "},
      {"de_DE.UTF-8", "978", "1.234,56\u00A0€", "1234.56"},
      {"fr_FR.UTF-8", "840", "$1\u202F234,56", "1234.56"},
      {"de_DE.UTF-8", "532", "NAf.\u00A01.234,56", "1234.56"},
      {"ar_EG.UTF-8", "999", "\u200F1٬234٫56\u00A0ج.م.\u200F", "1234.56"},
  };
  for (const Case& c : cases) {
    DeviceLocale device(c.device);
    EXPECT_EQ(plainDecimalString(c.display, c.active), c.plain) << c.device << " " << c.display;
  }
}

TEST(AmountEntryTest, EntryRoundTripsThroughThePlainDecimal) {
  for (const char* device : {"en_US.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "ar_EG.UTF-8"}) {
    DeviceLocale pinned(device);
    for (std::string_view active : {"840", "392", "368", "356", "978"}) {
      CurrencyText entered = currencyForText("1234567", active);
      std::string plain = plainDecimalString(entered.text, active);
      std::optional<double> parsed = text::parseDouble(plain);
      ASSERT_TRUE(parsed.has_value()) << device << " " << active << " " << plain;
      EXPECT_DOUBLE_EQ(*parsed, entered.amount) << device << " " << active;
    }
  }
}

}  // namespace
}  // namespace zelto

namespace zelto {
namespace {

TEST(AmountEntryTest, DigitsStayAsciiOnDevicesThatWriteOtherDigits) {
  DeviceLocale device("ar_EG.UTF-8");
  // 999 has no locale: the device locale's own currency is shown.
  CurrencyText entered = currencyForText("1234", "999");
  EXPECT_EQ(entered.amount, 12.34);
  EXPECT_NE(entered.text.find("12"), std::string::npos) << entered.text;
  EXPECT_EQ(currencyForText(entered.text + "5", "999").amount, 123.45);
}

}  // namespace
}  // namespace zelto
