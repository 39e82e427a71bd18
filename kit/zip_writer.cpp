#include "kit/zip_writer.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace qv {
namespace {

constexpr std::uint16_t kVersion = 20;  // 2.0: deflate
constexpr std::uint16_t kUtf8Flag = 1u << 11;
constexpr std::uint16_t kStored = 0, kDeflated = 8;
constexpr std::uint64_t kMaxSize = std::numeric_limits<std::uint32_t>::max();

// Little-endian fields of the headers.
class Record {
 public:
  Record& U16(std::uint32_t value) { return Bytes(value, 2); }
  Record& U32(std::uint32_t value) { return Bytes(value, 4); }
  Record& Text(std::string_view text) {
    bytes_ += text;
    return *this;
  }
  std::string_view bytes() const { return bytes_; }

 private:
  Record& Bytes(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return *this;
  }
  std::string bytes_;
};

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

bool IsHighSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The raw deflate stream of `data`; empty when zlib fails.
std::string Deflate(std::string_view data) {
  z_stream stream{};
  if (deflateInit2(&stream, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return {};
  std::string packed(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(packed.data());
  stream.avail_out = static_cast<uInt>(packed.size());
  const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
  packed.resize(done ? stream.total_out : 0);
  deflateEnd(&stream);
  return packed;
}

std::uint16_t DosTime(const ZipTime& t) { return static_cast<std::uint16_t>(t.hour << 11 | t.minute << 5 | t.second / 2); }
std::uint16_t DosDate(const ZipTime& t) {
  const int year = std::clamp(t.year, 1980, 2107);
  return static_cast<std::uint16_t>((year - 1980) << 9 | t.month << 5 | t.day);
}

}  // namespace

std::string Utf8(std::wstring_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t code = static_cast<std::uint32_t>(text[i]);
    if (IsHighSurrogate(code) && i + 1 < text.size() && IsLowSurrogate(static_cast<std::uint32_t>(text[i + 1]))) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
    } else if (IsHighSurrogate(code) || IsLowSurrogate(code) || code > 0x10FFFF) {
      code = 0xFFFD;
    }
    AppendUtf8(out, code);
  }
  return out;
}

bool ZipWriter::Put(std::string_view bytes) {
  if (failed_ || !sink_.Write(bytes)) failed_ = true;
  offset_ += bytes.size();
  return !failed_;
}

bool ZipWriter::Add(std::wstring_view name, std::string_view data, const ZipTime& time) {
  std::wstring slashed(name);
  std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
  Entry entry{Utf8(slashed), 0, kDeflated, DosTime(time), DosDate(time), 0, 0, 0, 0};
  const bool ascii = std::all_of(slashed.begin(), slashed.end(), [](wchar_t c) { return static_cast<std::uint32_t>(c) < 0x80; });
  if (!ascii) entry.flags = kUtf8Flag;
  if (failed_ || data.size() >= kMaxSize || offset_ >= kMaxSize || entries_.size() >= 0xFFFF ||
      entry.name.size() > 0xFFFF) {
    failed_ = true;
    return false;
  }
  entry.crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
  std::string packed = Deflate(data);
  if (data.empty() || packed.empty() || packed.size() >= data.size()) {
    entry.method = kStored;
    packed.assign(data);
  }
  entry.packed_size = static_cast<std::uint32_t>(packed.size());
  entry.size = static_cast<std::uint32_t>(data.size());
  entry.offset = static_cast<std::uint32_t>(offset_);
  Record header;
  header.U32(0x04034B50).U16(kVersion).U16(entry.flags).U16(entry.method).U16(entry.time).U16(entry.date);
  header.U32(entry.crc).U32(entry.packed_size).U32(entry.size).U16(static_cast<std::uint32_t>(entry.name.size())).U16(0);
  header.Text(entry.name);
  entries_.push_back(std::move(entry));
  return Put(header.bytes()) && Put(packed);
}

bool ZipWriter::Finish() {
  if (failed_) return false;
  const std::uint64_t start = offset_;
  Record directory;
  for (const Entry& entry : entries_) {
    directory.U32(0x02014B50).U16(kVersion).U16(kVersion).U16(entry.flags).U16(entry.method).U16(entry.time);
    directory.U16(entry.date).U32(entry.crc).U32(entry.packed_size).U32(entry.size);
    directory.U16(static_cast<std::uint32_t>(entry.name.size())).U16(0).U16(0).U16(0).U16(0).U32(0).U32(entry.offset);
    directory.Text(entry.name);
  }
  const std::uint64_t size = directory.bytes().size();
  if (start + size >= kMaxSize) {
    failed_ = true;
    return false;
  }
  const auto count = static_cast<std::uint32_t>(entries_.size());
  directory.U32(0x06054B50).U16(0).U16(0).U16(count).U16(count);
  directory.U32(static_cast<std::uint32_t>(size)).U32(static_cast<std::uint32_t>(start)).U16(0);
  return Put(directory.bytes());
}

}  // namespace qv
