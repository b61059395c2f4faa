#include <zelto/payload/tag_dictionary.h>

#include "base/position_index.h"

namespace zelto {

namespace {

// Dictionaries with fewer entries find a key by scanning them, which is faster for the dozen
// or so tags of a merchant payload; larger ones keep a hash index.
constexpr std::size_t kIndexFrom = 16;

}  // namespace

TagDictionary::TagDictionary() = default;
TagDictionary::TagDictionary(const TagDictionary& other)
    : entries_(other.entries_),
      index_(other.index_ ? std::make_unique<PositionIndex>(*other.index_) : nullptr) {}
TagDictionary::TagDictionary(TagDictionary&& other) noexcept = default;
TagDictionary& TagDictionary::operator=(const TagDictionary& other) {
  if (this != &other) *this = TagDictionary(other);
  return *this;
}
TagDictionary& TagDictionary::operator=(TagDictionary&& other) noexcept = default;
TagDictionary::~TagDictionary() = default;

TagDictionary::TagDictionary(std::initializer_list<Entry> entries) {
  for (const auto& entry : entries) set(entry.first, entry.second);
}

std::size_t TagDictionary::position(std::string_view key) const {
  if (index_) {
    return index_->find(key, entries_.size(),
                        [&](std::size_t at) -> std::string_view { return entries_[at].first; });
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].first == key) return i;
  }
  return entries_.size();
}

void TagDictionary::rebuildIndex() {
  if (entries_.size() < kIndexFrom) {
    index_.reset();
    return;
  }
  if (!index_) index_ = std::make_unique<PositionIndex>();
  index_->rebuild(entries_.size(),
                  [&](std::size_t at) -> std::string_view { return entries_[at].first; });
}

bool TagDictionary::contains(std::string_view key) const { return find(key) != nullptr; }

const TagValue* TagDictionary::find(std::string_view key) const {
  const std::size_t at = position(key);
  return at == entries_.size() ? nullptr : &entries_[at].second;
}

TagValue* TagDictionary::find(std::string_view key) {
  const std::size_t at = position(key);
  return at == entries_.size() ? nullptr : &entries_[at].second;
}

const std::string* TagDictionary::findString(std::string_view key) const {
  const TagValue* value = find(key);
  return value == nullptr ? nullptr : value->string();
}

const TagDictionary* TagDictionary::findDictionary(std::string_view key) const {
  const TagValue* value = find(key);
  return value == nullptr ? nullptr : value->dictionary();
}

void TagDictionary::set(std::string key, TagValue value) {
  std::size_t at = entries_.size();
  if (index_ || entries_.size() + 1 >= kIndexFrom) {
    if (!index_) index_ = std::make_unique<PositionIndex>();
    at = index_->insert(key, entries_.size(),
                        [&](std::size_t i) -> std::string_view { return entries_[i].first; });
  } else {
    at = position(key);
  }
  if (at != entries_.size()) {
    entries_[at].second = std::move(value);
    return;
  }
  entries_.emplace_back(std::move(key), std::move(value));
}

void TagDictionary::reserve(std::size_t count) { entries_.reserve(count); }

bool TagDictionary::erase(std::string_view key) {
  const std::size_t at = position(key);
  if (at == entries_.size()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
  rebuildIndex();
  return true;
}

bool TagDictionary::operator==(const TagDictionary& other) const {
  return entries_ == other.entries_;
}

}  // namespace zelto
