// Data objects written through a cursor into text sized once: a payload put together from a
// request's fields without a call into std::string for each object. The rules are those of
// tlv::appendObject (include/zelto/payload/tlv_generator.h) with writeEmpty false: a value of 1
// to 99 characters without a control character is written, anything else is left out.
//
//   std::string payload;
//   ObjectWriter writer(payload, room);  // room: at most this many bytes are added
//   writer.add("59", "ABC Store");
//   const ObjectWriter::Template additional = writer.open();
//   writer.add("01", "1234");
//   writer.close(additional, "62");     // "62" holding "01041234", or nothing when empty
//   writer.finish();                    // `payload` ends after the last object
//
// Thread-safety: one writer and its text belong to one thread.
#ifndef ZELTO_PAYLOAD_OBJECT_WRITER_H_
#define ZELTO_PAYLOAD_OBJECT_WRITER_H_

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zelto::tlv {

// What objectLength gives for a value left out.
inline constexpr std::size_t kLeftOut = static_cast<std::size_t>(-1);

// The number of characters `value` is written with as a data object, or kLeftOut when it is
// empty and `writeEmpty` is false, holds a control character, or has more than 99 characters.
// (A number, not an optional: returned through memory, an optional's flag is read back before
// the store that wrote it has landed, which costs more than the rest of the work.)
std::size_t objectLength(std::string_view value, bool writeEmpty);

class ObjectWriter {
 public:
  // Room for the head and the value of every object that may be added, 4 + value bytes each.
  static constexpr std::size_t roomFor(std::string_view value) { return 4 + value.size(); }

  // Writes after the text of `out`, which grows by `room` bytes until finish().
  ObjectWriter(std::string& out, std::size_t room) : out_(out), start_(out.size()) {
    out_.resize(start_ + room);
    at_ = out_.data() + start_;
  }
  ObjectWriter(const ObjectWriter&) = delete;
  ObjectWriter& operator=(const ObjectWriter&) = delete;

  // The object of two-character `tag` and `value`, unless appendObject leaves it out.
  void add(std::string_view tag, std::string_view value) {
    if (value.empty()) return;  // as most requests' fields are: left out without a call
    const std::size_t count = objectLength(value, /*writeEmpty=*/false);
    if (count == kLeftOut) return;
    writeHead(at_, tag, count);
    std::memcpy(at_ + 4, value.data(), value.size());
    at_ += 4 + value.size();
  }

  // A template whose objects are the ones added until close().
  struct Template {
    char* head;
  };
  Template open() {
    Template opened{at_};
    at_ += 4;
    return opened;
  }
  // Writes the head of `opened` under `tag`, or takes the template back when appendObject would
  // leave its content out.
  void close(Template opened, std::string_view tag) {
    const std::size_t count =
        objectLength(std::string_view(opened.head + 4, at_ - opened.head - 4), false);
    if (count != kLeftOut) {
      writeHead(opened.head, tag, count);
    } else {
      at_ = opened.head;
    }
  }

  // Cuts the text to what was written.
  void finish() { out_.resize(at_ - out_.data()); }

 private:
  static void writeHead(char* at, std::string_view tag, std::size_t count) {
    at[0] = tag[0];
    at[1] = tag[1];
    at[2] = static_cast<char>('0' + count / 10);
    at[3] = static_cast<char>('0' + count % 10);
  }

  std::string& out_;
  const std::size_t start_;
  char* at_;
};

}  // namespace zelto::tlv

#endif  // ZELTO_PAYLOAD_OBJECT_WRITER_H_
