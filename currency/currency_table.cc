#include "currency/currency_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>

#include "base/text.h"
#include "currency/iso_country_codes.h"

namespace zelto::currency {
namespace {

constexpr std::array<CurrencyRow, 177> kRows = {{
    {"AED", 784, "United Arab Emirates dirham"},
    {"AFN", 971, "Afghan afghani"},
    {"ALL", 8, "Albanian lek"},
    {"AMD", 51, "Armenian dram"},
    {"ANG", 532, "Netherlands Antillean guilder"},
    {"AOA", 973, "Angolan kwanza"},
    {"ARS", 32, "Argentine peso"},
    {"AUD", 36, "Australian dollar"},
    {"AWG", 533, "Aruban florin"},
    {"AZN", 944, "Azerbaijani manat"},
    {"BAM", 977, "Bosnia and Herzegovina convertible mark"},
    {"BBD", 52, "Barbados dollar"},
    {"BDT", 50, "Bangladeshi taka"},
    {"BGN", 975, "Bulgarian lev"},
    {"BHD", 48, "Bahraini dinar"},
    {"BIF", 108, "Burundian franc"},
    {"BMD", 60, "Bermudian dollar"},
    {"BND", 96, "Brunei dollar"},
    {"BOB", 68, "Boliviano"},
    {"BOV", 984, "Bolivian Mvdol"},
    {"BRL", 986, "Brazilian real"},
    {"BSD", 44, "Bahamian dollar"},
    {"BTN", 64, "Bhutanese ngultrum"},
    {"BWP", 72, "Botswana pula"},
    {"BYN", 933, "Belarusian ruble"},
    {"BZD", 84, "Belize dollar"},
    {"CAD", 124, "Canadian dollar"},
    {"CDF", 976, "Congolese franc"},
    {"CHE", 947, "WIR"},
    {"CHF", 756, "Swiss franc"},
    {"CHW", 948, "WIR"},
    {"CLF", 990, "Unidad de Fomento"},
    {"CLP", 152, "Chilean peso"},
    {"CNY", 156, "Chinese yuan"},
    {"COP", 170, "Colombian peso"},
    {"COU", 970, "Unidad de Valor Real (UVR)"},
    {"CRC", 188, "Costa Rican colon"},
    {"CUC", 931, "Cuban convertible peso"},
    {"CUP", 192, "Cuban peso"},
    {"CVE", 132, "Cape Verde escudo"},
    {"CZK", 203, "Czech koruna"},
    {"DJF", 262, "Djiboutian franc"},
    {"DKK", 208, "Danish krone"},
    {"DOP", 214, "Dominican peso"},
    {"DZD", 12, "Algerian dinar"},
    {"EGP", 818, "Egyptian pound"},
    {"ERN", 232, "Eritrean nakfa"},
    {"ETB", 230, "Ethiopian birr"},
    {"EUR", 978, "Euro"},
    {"FJD", 242, "Fiji dollar"},
    {"FKP", 238, "Falkland Islands pound"},
    {"GBP", 826, "Pound sterling"},
    {"GEL", 981, "Georgian lari"},
    {"GHS", 936, "Ghanaian cedi"},
    {"GIP", 292, "Gibraltar pound"},
    {"GMD", 270, "Gambian dalasi"},
    {"GNF", 324, "Guinean franc"},
    {"GTQ", 320, "Guatemalan quetzal"},
    {"GYD", 328, "Guyanese dollar"},
    {"HKD", 344, "Hong Kong dollar"},
    {"HNL", 340, "Honduran lempira"},
    {"HRK", 191, "Croatian kuna"},
    {"HTG", 332, "Haitian gourde"},
    {"HUF", 348, "Hungarian forint"},
    {"IDR", 360, "Indonesian rupiah"},
    {"ILS", 376, "Israeli new shekel"},
    {"INR", 356, "Indian rupee"},
    {"IQD", 368, "Iraqi dinar"},
    {"IRR", 364, "Iranian rial"},
    {"ISK", 352, "Icelandic króna"},
    {"JMD", 388, "Jamaican dollar"},
    {"JOD", 400, "Jordanian dinar"},
    {"JPY", 392, "Japanese yen"},
    {"KES", 404, "Kenyan shilling"},
    {"KGS", 417, "Kyrgyzstani som"},
    {"KHR", 116, "Cambodian riel"},
    {"KMF", 174, "Comoro franc"},
    {"KPW", 408, "North Korean won"},
    {"KRW", 410, "South Korean won"},
    {"KWD", 414, "Kuwaiti dinar"},
    {"KYD", 136, "Cayman Islands dollar"},
    {"KZT", 398, "Kazakhstani tenge"},
    {"LAK", 418, "Lao kip"},
    {"LBP", 422, "Lebanese pound"},
    {"LKR", 144, "Sri Lankan rupee"},
    {"LRD", 430, "Liberian dollar"},
    {"LSL", 426, "Lesotho loti"},
    {"LYD", 434, "Libyan dinar"},
    {"MAD", 504, "Moroccan dirham"},
    {"MDL", 498, "Moldovan leu"},
    {"MGA", 969, "Malagasy ariary"},
    {"MKD", 807, "Macedonian denar"},
    {"MMK", 104, "Myanmar kyat"},
    {"MNT", 496, "Mongolian tögrög"},
    {"MOP", 446, "Macanese pataca"},
    {"MRO", 478, "Mauritanian ouguiya"},
    {"MUR", 480, "Mauritian rupee"},
    {"MVR", 462, "Maldivian rufiyaa"},
    {"MWK", 454, "Malawian kwacha"},
    {"MXN", 484, "Mexican peso"},
    {"MXV", 979, "Mexican Unidad de Inversion (UDI)"},
    {"MYR", 458, "Malaysian ringgit"},
    {"MZN", 943, "Mozambican metical"},
    {"NAD", 516, "Namibian dollar"},
    {"NGN", 566, "Nigerian naira"},
    {"NIO", 558, "Nicaraguan córdoba"},
    {"NOK", 578, "Norwegian krone"},
    {"NPR", 524, "Nepalese rupee"},
    {"NZD", 554, "New Zealand dollar"},
    {"OMR", 512, "Omani rial"},
    {"PAB", 590, "Panamanian balboa"},
    {"PEN", 604, "Peruvian Sol"},
    {"PGK", 598, "Papua New Guinean kina"},
    {"PHP", 608, "Philippine piso"},
    {"PKR", 586, "Pakistani rupee"},
    {"PLN", 985, "Polish złoty"},
    {"PYG", 600, "Paraguayan guaraní"},
    {"QAR", 634, "Qatari riyal"},
    {"RON", 946, "Romanian leu"},
    {"RSD", 941, "Serbian dinar"},
    {"RUB", 643, "Russian ruble"},
    {"RWF", 646, "Rwandan franc"},
    {"SAR", 682, "Saudi riyal"},
    {"SBD", 90, "Solomon Islands dollar"},
    {"SCR", 690, "Seychelles rupee"},
    {"SDG", 938, "Sudanese pound"},
    {"SEK", 752, "Swedish krona"},
    {"SGD", 702, "Singapore dollar"},
    {"SHP", 654, "Saint Helena pound"},
    {"SLL", 694, "Sierra Leonean leone"},
    {"SOS", 706, "Somali shilling"},
    {"SRD", 968, "Surinamese dollar"},
    {"SSP", 728, "South Sudanese pound"},
    {"STD", 678, "São Tomé and Príncipe dobra"},
    {"SVC", 222, "Salvadoran colón"},
    {"SYP", 760, "Syrian pound"},
    {"SZL", 748, "Swazi lilangeni"},
    {"THB", 764, "Thai baht"},
    {"TJS", 972, "Tajikistani somoni"},
    {"TMT", 934, "Turkmenistan manat"},
    {"TND", 788, "Tunisian dinar"},
    {"TOP", 776, "Tongan paʻanga"},
    {"TRY", 949, "Turkish lira"},
    {"TTD", 780, "Trinidad and Tobago dollar"},
    {"TWD", 901, "New Taiwan dollar"},
    {"TZS", 834, "Tanzanian shilling"},
    {"UAH", 980, "Ukrainian hryvnia"},
    {"UGX", 800, "Ugandan shilling"},
    {"USD", 840, "United States dollar"},
    {"USN", 997, "United States dollar (next day)"},
    {"UYI", 940, "Uruguay Peso en Unidades Indexadas (URUIURUI)"},
    {"UYU", 858, "Uruguayan peso"},
    {"UZS", 860, "Uzbekistan som"},
    {"VEF", 937, "Venezuelan bolívar"},
    {"VND", 704, "Vietnamese đồng"},
    {"VUV", 548, "Vanuatu vatu"},
    {"WST", 882, "Samoan tala"},
    {"XAF", 950, "CFA franc BEAC"},
    {"XAG", 961, "Silver"},
    {"XAU", 959, "Gold"},
    {"XBA", 955, "European Composite Unit"},
    {"XBB", 956, "European Monetary Unit"},
    {"XBC", 957, "European Unit of Account 9"},
    {"XBD", 958, "European Unit of Account 17"},
    {"XCD", 951, "East Caribbean dollar"},
    {"XDR", 960, "Special drawing rights"},
    {"XOF", 952, "CFA franc BCEAO"},
    {"XPD", 964, "Palladium"},
    {"XPF", 953, "CFP franc"},
    {"XPT", 962, "Platinum"},
    {"XSU", 994, "SUCRE"},
    {"XUA", 965, "ADB Unit of Account"},
    {"XTS", 963, "Code reserved for testing purposes"},
    {"YER", 886, "Yemeni rial"},
    {"ZAR", 710, "South African rand"},
    {"ZMW", 967, "Zambian kwacha"},
    {"ZWL", 932, "Zimbabwean dollar"},
}};

}  // namespace

std::span<const CurrencyRow> currencyTable() { return kRows; }

std::optional<std::string> flowCurrencyCode(std::string_view given) {
  const auto& currencies = ISOCountryCodes::availableISOCurrencies();
  const auto table = currencyTable();
  auto threeDigits = [](int number) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", number);
    return std::string(digits);
  };
  if (given.size() == 3 && text::isAllDecimalDigits(given)) {
    const std::optional<std::int64_t> number = text::parseInteger(given);
    if (!number) return std::nullopt;
    const bool known = currencies.contains(static_cast<int>(*number)) ||
                       std::any_of(table.begin(), table.end(),
                                   [&](const auto& row) { return row.numericCode == *number; });
    return known ? std::optional<std::string>(given) : std::nullopt;
  }
  std::string upper(given);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const auto& row : table) {
    if (row.alphabeticCode == upper) return threeDigits(row.numericCode);
  }
  for (const auto& [number, alphabetic] : currencies) {
    if (alphabetic == upper) return threeDigits(number);
  }
  return std::nullopt;
}

}  // namespace zelto::currency
