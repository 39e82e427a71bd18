#include "sandbox/model/png_encoder.h"

#include <algorithm>
#include <cassert>
#include <string_view>

#include <zlib.h>

namespace sbx {
namespace {

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const size_t crc_from = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(std::span(out).subspan(crc_from)));
}

// A zlib stream of stored deflate blocks (at most 65535 bytes each).
std::vector<std::uint8_t> StoredZlib(std::span<const std::uint8_t> data) {
  constexpr size_t kBlock = 65535;
  std::vector<std::uint8_t> out = {0x78, 0x01};
  size_t offset = 0;
  do {
    const size_t length = std::min(kBlock, data.size() - offset);
    const bool final = offset + length == data.size();
    out.push_back(final ? 1 : 0);
    const auto length16 = static_cast<std::uint16_t>(length);
    const auto inverse16 = static_cast<std::uint16_t>(~length16);
    for (std::uint16_t value : {length16, inverse16}) {
      out.push_back(static_cast<std::uint8_t>(value & 0xFF));
      out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(offset),
               data.begin() + static_cast<std::ptrdiff_t>(offset + length));
    offset += length;
  } while (offset < data.size());
  PutBigEndian(out, Adler32(data));
  return out;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(adler32(adler32(0, nullptr, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb) {
  const auto row_bytes = static_cast<size_t>(width) * 3;
  assert(width > 0 && height > 0 && rgb.size() == row_bytes * static_cast<size_t>(height));
  // Every row starts with its filter type, 0 (none).
  std::vector<std::uint8_t> rows;
  rows.reserve((row_bytes + 1) * static_cast<size_t>(height));
  for (size_t offset = 0; offset < rgb.size(); offset += row_bytes) {
    rows.push_back(0);
    rows.insert(rows.end(), rgb.begin() + static_cast<std::ptrdiff_t>(offset),
                rgb.begin() + static_cast<std::ptrdiff_t>(offset + row_bytes));
  }

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  // Bit depth 8, colour type 2 (RGB), deflate, adaptive filtering, no interlace.
  header.insert(header.end(), {8, 2, 0, 0, 0});
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(rows));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace sbx
