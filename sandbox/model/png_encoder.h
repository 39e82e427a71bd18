#pragma once
// A small PNG writer for screenshots: 8-bit RGB, deflate with stored blocks only.
#include <cstdint>
#include <span>
#include <vector>

namespace sbx {

// `rgb` holds the rows from top to bottom, 3 bytes a pixel; it must have width * height * 3 bytes.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb);

// zlib's checksums over a span.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

}  // namespace sbx
