// Random entries written by the ZIP writer and read back by a minimal reader of its own: every
// name, flag, size, CRC and byte must come back as given.
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "kit/zip_writer.h"

namespace {

struct Entry {
  std::wstring name;
  std::string data;
};

struct StringSink : qv::ByteSink {
  bool Write(std::string_view bytes) override {
    text += bytes;
    return true;
  }
  std::string text;
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "the archive does not read back: %s\n", what);
  std::abort();
}

std::uint32_t Field(std::string_view bytes, std::size_t at, std::size_t size) {
  if (at + size > bytes.size()) Fail("a record runs past the end");
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::string Inflate(std::string_view packed, std::size_t size) {
  std::string data(size, '\0');
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) Fail("inflateInit2");
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.avail_in = static_cast<uInt>(packed.size());
  stream.next_out = reinterpret_cast<Bytef*>(data.data());
  stream.avail_out = static_cast<uInt>(data.size());
  const int result = inflate(&stream, Z_FINISH);
  inflateEnd(&stream);
  if (result != Z_STREAM_END || stream.total_out != size || stream.avail_in != 0) Fail("the deflate stream");
  return data;
}

// Input: per entry, a name length byte, the name's bytes (the upper half on the Cyrillic block),
// a data length byte (x 64 when odd, for longer runs), then the bytes the data repeats.
std::vector<Entry> Entries(const std::uint8_t* data, std::size_t size) {
  std::vector<Entry> entries;
  std::size_t at = 0;
  while (at < size) {
    Entry entry;
    for (std::size_t n = data[at++]; n > 0 && at < size; --n, ++at)
      entry.name.push_back(static_cast<wchar_t>(data[at] < 0x80 ? data[at] : data[at] - 0x80 + 0x400));
    std::size_t length = at < size ? data[at++] : 0;
    if (length % 2) length *= 64;
    // The data repeats the next (up to 16) bytes.
    const std::size_t pattern = std::min<std::size_t>(16, size - at);
    for (std::size_t i = 0; i < length && pattern > 0; ++i) entry.data.push_back(static_cast<char>(data[at + i % pattern]));
    at += pattern;
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<Entry> entries = Entries(data, size);
  StringSink sink;
  qv::ZipWriter writer(sink);
  for (const Entry& entry : entries)
    if (!writer.Add(entry.name, entry.data, {2001, 2, 3, 4, 5, 6})) Fail("Add");
  if (!writer.Finish()) Fail("Finish");

  const std::string_view zip = sink.text;
  if (zip.size() < 22) Fail("no end record");
  const std::size_t end = zip.size() - 22;
  if (Field(zip, end, 4) != 0x06054B50 || Field(zip, end + 10, 2) != entries.size()) Fail("the end record");
  std::size_t at = Field(zip, end + 16, 4);
  if (at + Field(zip, end + 12, 4) != end) Fail("the directory's place");
  for (const Entry& entry : entries) {
    std::wstring slashed = entry.name;
    for (wchar_t& c : slashed) c = c == L'\\' ? L'/' : c;
    const std::string name = qv::Utf8(slashed);
    const bool ascii = name.size() == slashed.size();
    if (Field(zip, at, 4) != 0x02014B50) Fail("a directory record");
    const std::uint32_t flags = Field(zip, at + 8, 2), method = Field(zip, at + 10, 2), crc = Field(zip, at + 16, 4);
    const std::uint32_t packed = Field(zip, at + 20, 4), plain = Field(zip, at + 24, 4);
    const std::uint32_t name_size = Field(zip, at + 28, 2), local = Field(zip, at + 42, 4);
    if (zip.substr(at + 46, name_size) != name || ((flags & 0x800) != 0) == ascii) Fail("a name");
    if (Field(zip, local, 4) != 0x04034B50 || Field(zip, local + 14, 4) != crc || Field(zip, local + 18, 4) != packed ||
        Field(zip, local + 26, 2) != name_size || zip.substr(local + 30, name_size) != name)
      Fail("a local header");
    const std::string_view stored = zip.substr(local + 30 + name_size + Field(zip, local + 28, 2), packed);
    if (stored.size() != packed || plain != entry.data.size()) Fail("the sizes");
    if (method == 0 ? stored != entry.data : method != 8 || Inflate(stored, plain) != entry.data) Fail("the data");
    if (method == 8 && packed >= plain) Fail("deflated data that did not shrink");
    if (crc != crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())))
      Fail("the CRC");
    at += 46 + name_size;
  }
  return 0;
}
