#include "tests/sandbox/model/png_reader.h"

#include <span>

#include "sandbox/model/png_encoder.h"

namespace sbx::test {
namespace {

std::uint32_t BigEndian(const std::vector<std::uint8_t>& bytes, size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

std::optional<RgbImage> Fail(std::string* error, std::string reason) {
  *error = std::move(reason);
  return std::nullopt;
}

}  // namespace

std::uint32_t RgbImage::Pixel(int x, int y) const {
  const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
  return static_cast<std::uint32_t>(rgb[at]) << 16 | static_cast<std::uint32_t>(rgb[at + 1]) << 8 | rgb[at + 2];
}

std::optional<RgbImage> ReadPng(const std::vector<std::uint8_t>& png, std::string* error) {
  const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 8 || !std::equal(signature.begin(), signature.end(), png.begin())) return Fail(error, "signature");
  RgbImage image;
  std::vector<std::uint8_t> zlib;
  std::vector<std::string> chunks;
  for (size_t at = 8; at < png.size();) {
    if (at + 12 > png.size()) return Fail(error, "truncated chunk");
    const size_t length = BigEndian(png, at);
    if (at + 12 + length > png.size()) return Fail(error, "truncated chunk data");
    const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                           png.begin() + static_cast<std::ptrdiff_t>(at + 8));
    const std::span<const std::uint8_t> typed_data(png.data() + at + 4, length + 4);
    if (Crc32(typed_data) != BigEndian(png, at + 8 + length)) return Fail(error, "CRC of " + type);
    const auto data = typed_data.subspan(4);
    if (type == "IHDR") {
      if (length != 13) return Fail(error, "IHDR length");
      image.width = static_cast<int>(BigEndian(png, at + 8));
      image.height = static_cast<int>(BigEndian(png, at + 12));
      if (data[8] != 8 || data[9] != 2 || data[10] != 0 || data[11] != 0 || data[12] != 0) {
        return Fail(error, "not 8-bit RGB");
      }
    } else if (type == "IDAT") {
      zlib.insert(zlib.end(), data.begin(), data.end());
    }
    chunks.push_back(type);
    at += 12 + length;
  }
  if (chunks.empty() || chunks.front() != "IHDR" || chunks.back() != "IEND") return Fail(error, "chunk order");

  if (zlib.size() < 6 || zlib[0] != 0x78 || (zlib[0] * 256 + zlib[1]) % 31 != 0) return Fail(error, "zlib header");
  std::vector<std::uint8_t> raw;
  size_t at = 2;
  for (bool final = false; !final;) {
    if (at + 5 > zlib.size()) return Fail(error, "truncated deflate block");
    final = (zlib[at] & 1) != 0;
    if ((zlib[at] & 6) != 0) return Fail(error, "not a stored block");
    const size_t length = zlib[at + 1] | static_cast<size_t>(zlib[at + 2]) << 8;
    const size_t inverse = zlib[at + 3] | static_cast<size_t>(zlib[at + 4]) << 8;
    if ((length ^ 0xFFFF) != inverse || at + 5 + length > zlib.size()) return Fail(error, "stored block length");
    raw.insert(raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at + 5),
               zlib.begin() + static_cast<std::ptrdiff_t>(at + 5 + length));
    at += 5 + length;
  }
  if (at + 4 != zlib.size() || Adler32(raw) != BigEndian(zlib, at)) return Fail(error, "Adler-32");

  const size_t row = static_cast<size_t>(image.width) * 3;
  if (raw.size() != (row + 1) * static_cast<size_t>(image.height)) return Fail(error, "image size");
  for (size_t offset = 0; offset < raw.size(); offset += row + 1) {
    if (raw[offset] != 0) return Fail(error, "filter type");
    image.rgb.insert(image.rgb.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset + 1),
                     raw.begin() + static_cast<std::ptrdiff_t>(offset + 1 + row));
  }
  return image;
}

}  // namespace sbx::test
