// The tag dictionary: a map from string keys to values, kept in insertion order (the map's own
// order, which the dictionary encoder follows). A key is a two-digit tag ("59") or a property
// name of the tag table ("merchantName"). A value is a string, a nested dictionary (a
// template), or an opaque value of another kind (a number, say) that encoders skip.
//
// Keys are unique: set() replaces the value of an existing key in place. Lookups take constant
// time on average: a dictionary of more than a few entries keeps a hash index of its keys, so
// building a dictionary of n entries takes time linear in n.
//
// Dictionaries are read from and written to JSON by payload/tag_dictionary_json.h, inside the
// library; a host hands JSON to the C interface (zelto_encode_dict_to_tlv).
//
// Thread-safety: a value type; concurrent reads are safe, writes need exclusive access.
#ifndef ZELTO_PAYLOAD_TAG_DICTIONARY_H_
#define ZELTO_PAYLOAD_TAG_DICTIONARY_H_

#include <zelto/export.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zelto {

class TagValue;
class PositionIndex;

class ZELTO_EXPORT TagDictionary {
 public:
  using Entry = std::pair<std::string, TagValue>;

  TagDictionary();
  TagDictionary(std::initializer_list<Entry> entries);
  TagDictionary(const TagDictionary& other);
  TagDictionary(TagDictionary&& other) noexcept;
  TagDictionary& operator=(const TagDictionary& other);
  TagDictionary& operator=(TagDictionary&& other) noexcept;
  ~TagDictionary();

  bool contains(std::string_view key) const;
  const TagValue* find(std::string_view key) const;
  TagValue* find(std::string_view key);
  // The string stored under `key`, or nullptr when absent or not a string.
  const std::string* findString(std::string_view key) const;
  const TagDictionary* findDictionary(std::string_view key) const;

  void set(std::string key, TagValue value);
  // Makes room for `count` entries, so that adding that many allocates at most once.
  void reserve(std::size_t count);
  // Removes `key`; returns whether it was there.
  bool erase(std::string_view key);

  // Defined below TagValue: an entry needs the complete value type.
  std::size_t size() const;
  bool empty() const;
  const std::vector<Entry>& entries() const { return entries_; }
  std::vector<Entry>::const_iterator begin() const;
  std::vector<Entry>::const_iterator end() const;

  bool operator==(const TagDictionary& other) const;

 private:
  // Position of `key` in entries_, or entries_.size().
  std::size_t position(std::string_view key) const;
  void rebuildIndex();

  std::vector<Entry> entries_;
  // The positions of entries_ by key, kept once the dictionary holds more than a few entries;
  // null before.
  std::unique_ptr<PositionIndex> index_;
};

// A value of a kind encoders do not write, kept as its JSON text ("12", "true", "null").
struct OpaqueValue {
  std::string json;
  bool operator==(const OpaqueValue&) const = default;
};

class TagValue {
 public:
  TagValue(std::string text) : data_(std::move(text)) {}    // NOLINT: implicit by design
  TagValue(const char* text) : data_(std::string(text)) {}  // NOLINT
  TagValue(TagDictionary dictionary) : data_(std::move(dictionary)) {}  // NOLINT
  TagValue(OpaqueValue opaque) : data_(std::move(opaque)) {}            // NOLINT

  const std::string* string() const { return std::get_if<std::string>(&data_); }
  const TagDictionary* dictionary() const { return std::get_if<TagDictionary>(&data_); }
  const OpaqueValue* opaque() const { return std::get_if<OpaqueValue>(&data_); }

  bool operator==(const TagValue& other) const { return data_ == other.data_; }

 private:
  std::variant<std::string, TagDictionary, OpaqueValue> data_;
};

inline std::size_t TagDictionary::size() const { return entries_.size(); }
inline bool TagDictionary::empty() const { return entries_.empty(); }
inline std::vector<TagDictionary::Entry>::const_iterator TagDictionary::begin() const {
  return entries_.begin();
}
inline std::vector<TagDictionary::Entry>::const_iterator TagDictionary::end() const {
  return entries_.end();
}

}  // namespace zelto

#endif  // ZELTO_PAYLOAD_TAG_DICTIONARY_H_
