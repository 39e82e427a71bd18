#pragma once
// A ZIP archive written in one pass to a byte sink: each entry deflated (level 6), or stored when
// deflating does not shrink it, then the central directory. Names that are not ASCII are written
// in UTF-8 and flagged so. Archives past the classic format's limits (4 GB, 65535 entries) fail.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Where the archive's bytes go; a sink may refuse them (a full disk).
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // False when the bytes were not all written.
  virtual bool Write(std::string_view bytes) = 0;
};

// A local date and time; the archive keeps years 1980 to 2107 and even seconds.
struct ZipTime {
  int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class ZipWriter {
 public:
  explicit ZipWriter(ByteSink& sink) : sink_(sink) {}

  // `name`: the entry's path in the archive, "\" or "/" between folders. False once anything failed.
  bool Add(std::wstring_view name, std::string_view data, const ZipTime& time);
  // Writes the central directory. False when it or anything before it failed.
  bool Finish();

 private:
  struct Entry {
    std::string name;
    std::uint16_t flags, method, time, date;
    std::uint32_t crc, packed_size, size, offset;
  };
  bool Put(std::string_view bytes);

  ByteSink& sink_;
  std::vector<Entry> entries_;
  std::uint64_t offset_ = 0;
  bool failed_ = false;
};

// UTF-8 of a text; an unpaired surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view text);

}  // namespace qv
