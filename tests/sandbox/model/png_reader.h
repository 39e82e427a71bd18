#pragma once
// Reads back the PNG files that the sandbox writes (8-bit RGB, stored deflate blocks), checking
// every chunk's CRC and the zlib stream's Adler-32; the tests' way to look at the pixels.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sbx::test {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;            // rows top to bottom, 3 bytes a pixel
  std::uint32_t Pixel(int x, int y) const;  // 0xRRGGBB
};

// nullopt, with the reason in `error`, when the bytes are not such a PNG.
std::optional<RgbImage> ReadPng(const std::vector<std::uint8_t>& png, std::string* error);

}  // namespace sbx::test
