// PositionIndex: a hash index from text keys to their positions in a sequence kept elsewhere
// (the members of a JSON object, the entries of a tag dictionary), so that finding a key takes
// constant time on average instead of a scan of the sequence.
//
// The index holds positions only, never keys: it reads keys through the `keyAt(position)`
// callable each operation is given, so it stays valid when the sequence's storage moves, and
// copying it is a plain copy of an array of integers. Open addressing with linear probing; the
// table is a power of two at least twice the number of keys, and each slot keeps 32 bits of its
// key's hash, which place it, so that probes rarely read a key and growing reads none. Positions
// must be below 2^32 - 1, and tables are at most 2^32 slots.
//
// Thread-safety: a value type; concurrent reads are safe, writes need exclusive access.
#ifndef ZELTO_BASE_POSITION_INDEX_H_
#define ZELTO_BASE_POSITION_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace zelto {

class PositionIndex {
 public:
  bool empty() const { return slots_.empty(); }
  void clear() { slots_.clear(); }

  // The position of `key` among the `count` indexed keys, or `count` when it is not there.
  template <typename KeyAt>
  std::size_t find(std::string_view key, std::size_t count, KeyAt keyAt) const {
    if (slots_.empty()) return count;
    const std::size_t mask = slots_.size() - 1;
    const std::uint64_t bits = hashBits(key);
    for (std::size_t slot = bits & mask;; slot = (slot + 1) & mask) {
      const std::uint64_t stored = slots_[slot];
      if (stored == 0) return count;
      if (matches(stored, bits) && keyAt(positionIn(stored)) == key) return positionIn(stored);
    }
  }

  // The position of `key` among the `count` indexed keys; when it is not there, indexes `key`
  // as the key at position `count` (which the caller then appends) and returns `count`. One
  // probe does both. Grows the table first when it would be more than half full; growing reads
  // no key, as the slots keep the hash bits that place them.
  template <typename KeyAt>
  std::size_t insert(std::string_view key, std::size_t count, KeyAt keyAt) {
    if ((count + 1) * 2 > slots_.size()) {
      if (slots_.empty()) {
        rebuild(count, keyAt);
      } else {
        grow();
      }
    }
    const std::size_t mask = slots_.size() - 1;
    const std::uint64_t bits = hashBits(key);
    std::size_t slot = bits & mask;
    for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
      if (matches(slots_[slot], bits) && keyAt(positionIn(slots_[slot])) == key) {
        return positionIn(slots_[slot]);
      }
    }
    slots_[slot] = slotValue(bits, count);
    return count;
  }

  // Indexes the keys at positions 0 to count - 1, which must be distinct.
  template <typename KeyAt>
  void rebuild(std::size_t count, KeyAt keyAt) {
    slots_.assign(tableSize(count), 0);
    for (std::size_t i = 0; i < count; ++i) place(slotValue(hashBits(keyAt(i)), i));
  }

 private:
  static constexpr std::uint64_t kPositionMask = 0xFFFFFFFF;

  // 32 bits of the key's hash: they choose the slot and are kept in it.
  static std::uint64_t hashBits(std::string_view key) {
    return static_cast<std::uint64_t>(std::hash<std::string_view>{}(key)) >> 32 & kPositionMask;
  }
  static std::uint64_t slotValue(std::uint64_t bits, std::size_t position) {
    return bits << 32 | (position + 1);
  }
  static bool matches(std::uint64_t slot, std::uint64_t bits) { return (slot >> 32) == bits; }
  static std::size_t positionIn(std::uint64_t slot) { return (slot & kPositionMask) - 1; }
  static std::size_t tableSize(std::size_t count) {
    std::size_t size = 32;
    while (size < (count + 1) * 2) size *= 2;
    return size;
  }

  void grow() {
    std::vector<std::uint64_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    for (const std::uint64_t stored : old) {
      if (stored != 0) place(stored);
    }
  }

  void place(std::uint64_t stored) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = (stored >> 32) & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = stored;
  }

  // Upper half: 32 bits of the key's hash; lower half: position + 1 (0: empty slot).
  std::vector<std::uint64_t> slots_;
};

}  // namespace zelto

#endif  // ZELTO_BASE_POSITION_INDEX_H_
