#include "kit/colour_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

struct ComponentsCase {
  const wchar_t* red;
  const wchar_t* green;
  const wchar_t* blue;
  std::int32_t colour;
};

TEST(ColourEntryTest, ComponentsAreRoundedAndHeldToAByte) {
  const ComponentsCase cases[] = {
      {L"0", L"0", L"0", 0},
      {L"300", L"0", L"0", 255},
      {L"0", L"0", L"255", 16711680},
      {L"1", L"2", L"3", 1 + 2 * 256 + 3 * 65536},
      {L"-12", L"0", L"0", 0},
      {L"0", L"-99", L"1", 65536},
      {L"2.5", L"3.5", L"", 2 + 4 * 256},
      {L"", L"x", L" 1 2", 12 * 65536},
      {L"&HFF", L"0", L"0", 255},
  };
  for (const ComponentsCase& c : cases) {
    EXPECT_EQ(c.colour, ColourOfComponents(c.red, c.green, c.blue))
        << "R \"" << c.red << "\" G \"" << c.green << "\" B \"" << c.blue << "\"";
  }
}

struct TextCase {
  const wchar_t* text;
  std::optional<std::wstring> result;
};

TEST(ColourEntryTest, TheHexadecimalBoxGivesTheDecimalText) {
  const TextCase cases[] = {
      {L"&HFF0000", L"16711680"},
      {L"&HFF", L"255"},
      {L"FF", L"0"},
      {L"&H", L"0"},
      {L"&HFFFF", L"-1"},
      {L"&H10000", L"65536"},
      {L"&HFFFFFFFF", L"-1"},
      {L"&h7fffffff", L"2147483647"},
      {L"&HFFFFFFFFFFFFFFFFFFFF", std::nullopt},
      {L"&H1234567890", std::nullopt},
  };
  for (const TextCase& c : cases) EXPECT_EQ(c.result, DecimalOfHex(c.text)) << c.text;
}

struct DecimalCase {
  const wchar_t* text;
  std::optional<std::int32_t> colour;
};

TEST(ColourEntryTest, TheDecimalBoxGivesAColourOnlyWhenItIsOne) {
  const DecimalCase cases[] = {
      {L"0", 0},
      {L"16711680", 16711680},
      {L"255abc", 255},
      {L"12.5", 12},
      {L"13.5", 14},
      {L"16777215", 16777215},
      {L"", 0},
      {L"-1", std::nullopt},
      {L"16777216", std::nullopt},
      {L"1e300", std::nullopt},
      {L"99999999999", std::nullopt},
  };
  for (const DecimalCase& c : cases) EXPECT_EQ(c.colour, ColourOfDecimal(c.text)) << c.text;
}

}  // namespace
}  // namespace qv
