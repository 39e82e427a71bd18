// The screenshot encoder: checksums against known values, and images read back.
#include "sandbox/model/png_encoder.h"

#include <gtest/gtest.h>

#include <string_view>

#include "tests/sandbox/model/png_reader.h"

namespace sbx {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(PngEncoderTest, ChecksumsMatchKnownValues) {
  EXPECT_EQ(0xAE426082u, Crc32(Bytes("IEND")));
  EXPECT_EQ(0xCBF43926u, Crc32(Bytes("123456789")));
  EXPECT_EQ(0x11E60398u, Adler32(Bytes("Wikipedia")));
  EXPECT_EQ(1u, Adler32({}));
}

TEST(PngEncoderTest, APictureReadsBackPixelForPixel) {
  const std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0,   0,   255,  //
                                         128, 0, 0, 1, 2,   3, 255, 255, 255};
  std::string error;
  const auto image = test::ReadPng(EncodePng(3, 2, rgb), &error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(3, image->width);
  EXPECT_EQ(2, image->height);
  EXPECT_EQ(rgb, image->rgb);
  EXPECT_EQ(0x800000u, image->Pixel(0, 1));
  EXPECT_EQ(0x010203u, image->Pixel(1, 1));
}

// A screen-sized picture needs many stored blocks; every block boundary must hold.
TEST(PngEncoderTest, ALargePictureSpansManyStoredBlocks) {
  const int width = 640;
  const int height = 200;
  std::vector<std::uint8_t> rgb(static_cast<size_t>(width * height * 3));
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7 + i / 1000);
  const std::vector<std::uint8_t> png = EncodePng(width, height, rgb);
  std::string error;
  const auto image = test::ReadPng(png, &error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgb, image->rgb);
  EXPECT_GT(png.size(), rgb.size());
}

}  // namespace
}  // namespace sbx
