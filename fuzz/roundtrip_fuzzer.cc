// Round trip: a tag dictionary of printable strings, encoded with encodeDictToTLV, decoded into
// a ZeltoPayMerchantTLV, and encoded again from the record's properties, gives the same data
// objects, and the first payload validates without a decoding or CRC error.
//
// The dictionary is built from the input so that it always encodes to decodable text: it always
// holds "00", values and sub-values are 1 to 60 printable ASCII characters, templates ("26"-"51",
// "62", "64", "80"-"99") hold 1 to 4 sub-objects, "62" never has sub-tag "00", and the merchant
// identifier "02" never begins with "5" or "6" (its setter would copy it into "04" or "06").
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/tlv_generator.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return position_ >= size_; }
  std::uint8_t next() { return position_ < size_ ? data_[position_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

std::string twoDigits(int n) {
  return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

std::string printable(Bytes& bytes) {
  const int length = 1 + bytes.next() % 60;
  std::string value;
  for (int i = 0; i < length; ++i) value += static_cast<char>(0x20 + bytes.next() % 95);
  return value;
}

bool isTemplate(int tag) {
  return tag == 62 || tag == 64 || (tag >= 26 && tag <= 51) || (tag >= 80 && tag <= 99);
}

// The data objects of an ASCII payload, templates split into their sub-objects, "63" left out.
// Written independently of the library's decoder.
using Objects = std::map<std::string, std::map<std::string, std::string>>;
Objects objectsOf(std::string_view payload) {
  auto split = [](std::string_view text) {
    std::vector<std::pair<std::string, std::string>> parts;
    while (text.size() >= 4) {
      const std::size_t length = static_cast<std::size_t>((text[2] - '0') * 10 + (text[3] - '0'));
      if (length > text.size() - 4) std::abort();
      parts.emplace_back(text.substr(0, 2), text.substr(4, length));
      text.remove_prefix(4 + length);
    }
    if (!text.empty()) std::abort();
    return parts;
  };
  Objects objects;
  for (const auto& [tag, value] : split(payload)) {
    if (tag == "63") continue;
    auto& entry = objects[tag];
    if (isTemplate(std::stoi(tag))) {
      for (const auto& [subTag, subValue] : split(value)) entry[subTag] = subValue;
    } else {
      entry[""] = value;
    }
  }
  return objects;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, size);
  zelto::TagDictionary dict;
  dict.set("00", printable(bytes));
  while (!bytes.empty()) {
    const int tag = bytes.next() % 100;
    if (tag == 63 || tag == 0) continue;
    if (!isTemplate(tag)) {
      std::string value = printable(bytes);
      if (tag == 2 && (value[0] == '5' || value[0] == '6')) value[0] = '4';
      dict.set(twoDigits(tag), value);
      continue;
    }
    zelto::TagDictionary nested;
    const int count = 1 + bytes.next() % 4;
    for (int i = 0; i < count; ++i) {
      int subTag = bytes.next() % 100;
      if (tag == 62 && subTag == 0) subTag = 1;
      nested.set(twoDigits(subTag), printable(bytes));
    }
    dict.set(twoDigits(tag), std::move(nested));
  }

  const std::string first = zelto::TLVGenerator::encodeDictToTLV(dict);
  zelto::ZeltoPayMerchantTLV record;
  if (record.decodeTLV(first)) std::abort();
  const std::string second = zelto::TLVGenerator::encodeDictToTLV(record.presentProperties());
  if (objectsOf(first) != objectsOf(second)) std::abort();

  const auto codes = zelto::TLVGenerator::tlvValidation(first);
  if (std::find(codes.begin(), codes.end(), "0") != codes.end()) std::abort();
  if (std::find(codes.begin(), codes.end(), "48") != codes.end()) std::abort();
  return 0;
}
