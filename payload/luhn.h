// The Luhn (modulus 10) check, by the two rules the library applies. Both number the characters
// from the last one (1, 2, 3, ...), double each digit at an even number (a double of 10 or more
// counts the sum of its two digits: 7 doubles to 14, which counts 5), and pass when the sum is
// divisible by 10. They differ in what a character other than an ASCII digit does:
//   luhnCheckRejectingOthers (the payment request's merchant ID check): it fails the check, and
//     so does "";
//   luhnCheckSkippingOthers (the payload validator's merchant ID rule): it adds nothing but
//     keeps its number; characters are user-perceived characters ("\r\n" is one), and "" or a
//     text without ASCII digits passes.
// "18" passes both; "1x8" fails both ("x" takes number 2); "x18" passes only the second.
//
// Thread-safety: stateless; any thread.
#ifndef ZELTO_PAYLOAD_LUHN_H_
#define ZELTO_PAYLOAD_LUHN_H_

#include <string_view>

namespace zelto::luhn {

bool luhnCheckRejectingOthers(std::string_view text);
bool luhnCheckSkippingOthers(std::string_view text);

}  // namespace zelto::luhn

#endif  // ZELTO_PAYLOAD_LUHN_H_
