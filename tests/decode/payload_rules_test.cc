#include "decode/payload_rules.h"

#include <gtest/gtest.h>

#include <string_view>

namespace zelto {
namespace {

TEST(PayloadRules, MerchantIdToPanAndLuhn) {
  using V = PayloadRules;
  EXPECT_EQ(V::convertMerchantIdToPan("41234567890"), "4123450000067890");
  EXPECT_EQ(V::convertMerchantIdToPan("4123456"), "4123450000000006");
  EXPECT_EQ(V::convertMerchantIdToPan("412345678901234"), "4123450678901234");
  EXPECT_EQ(V::convertMerchantIdToPan("412345"), "412345");
  EXPECT_EQ(V::convertMerchantIdToPan("4123456789012345"), "4123456789012345");
  EXPECT_EQ(V::convertMerchantIdToPan("ÄÖÜßéèê12"), "ÄÖÜßéè0000000ê12");

  // A non-digit is skipped but keeps its place: the digits after it change parity. "é" is one
  // character, like "x".
  for (std::string_view id : {"4111111111111111", "79927398713", "", "abc", "x79927398713"}) {
    EXPECT_TRUE(V::luhnsAlgorithmCheck(id)) << id;
  }
  for (std::string_view id :
       {"79927398710", "4111 1111 1111 1111", "7992739871x3", "7992739871é3"}) {
    EXPECT_FALSE(V::luhnsAlgorithmCheck(id)) << id;
  }
}

}  // namespace
}  // namespace zelto
