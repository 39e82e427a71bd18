#include "kit/palette.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qv {
namespace {

PaletteTable Filled() {
  PaletteTable table{};
  FillPalette(table);
  return table;
}

TEST(PaletteTest, FixedRowsHoldTheirColours) {
  const PaletteTable table = Filled();
  EXPECT_EQ(0xFFFFFF, table[1][1]);
  EXPECT_EQ(0x000000, table[1][6]);
  EXPECT_EQ(0xFF0000, table[7][3]);  // pure blue: 65536 * 255
  EXPECT_EQ(0xC0FFFF, table[4][1]);  // 255,255,192
  EXPECT_EQ(0x404080, table[3][6]);  // 128,64,64
  for (std::size_t column = 1; column <= 8; ++column) {
    EXPECT_EQ(kWhite, table[column][7]);
    EXPECT_EQ(kWhite, table[column][8]);
  }
}

TEST(PaletteTest, CustomColoursFillRowSevenThenRowEight) {
  PaletteTable table = Filled();
  std::wstring value;
  for (int i = 1; i <= 16; ++i) value += std::to_wstring(i) + L" ";
  SetCustomColors(table, value);
  EXPECT_EQ(1, table[1][7]);
  EXPECT_EQ(8, table[8][7]);
  EXPECT_EQ(9, table[1][8]);
  EXPECT_EQ(16, table[8][8]);
  EXPECT_EQ(0xFFFFFF, table[1][1]);  // the fixed rows stay

  std::wstring white;
  for (int i = 0; i < 16; ++i) white += L"16777215 ";
  SetCustomColors(table, white);
  for (std::size_t column = 1; column <= 8; ++column) EXPECT_EQ(kWhite, table[column][8]);
}

TEST(PaletteTest, MissingOrMalformedPartsLeaveTheirCellsWhite) {
  PaletteTable table = Filled();
  SetCustomColors(table, L"255 abc  4294967296 0 2.5");
  EXPECT_EQ(255, table[1][7]);
  EXPECT_EQ(kWhite, table[2][7]);  // no number
  EXPECT_EQ(kWhite, table[3][7]);  // empty part between two blanks
  EXPECT_EQ(kWhite, table[4][7]);  // does not fit in 32 bits
  EXPECT_EQ(0, table[5][7]);       // black is a colour
  EXPECT_EQ(2, table[6][7]);       // halves round to even
  for (std::size_t column = 7; column <= 8; ++column) EXPECT_EQ(kWhite, table[column][7]);
  for (std::size_t column = 1; column <= 8; ++column) EXPECT_EQ(kWhite, table[column][8]);
}

TEST(PaletteTest, APropertysValueTextReadsAsItsColour) {
  struct Case {
    const wchar_t* text;
    std::optional<std::int32_t> colour;
  };
  const Case cases[] = {
      {L"&H000000FF&", 255},
      {L"&H00FF0000&", 0xFF0000},
      {L"&H8000000F&", -2147483633},  // a system colour
      {L"16777215", kWhite},
      {L"2.5", 2},  // halves round to even
      {L"red", 0},  // no number reads as 0
      {L"", std::nullopt},
      {L"4294967296", std::nullopt},  // too large for a colour
  };
  for (const Case& c : cases) EXPECT_EQ(c.colour, PropertyColour(c.text)) << std::wstring(c.text).size();
}

}  // namespace
}  // namespace qv
