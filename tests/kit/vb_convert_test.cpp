#include "kit/vb_convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "kit/vb_error.h"
#include "vb_error_matchers.h"

namespace qv {
namespace {

std::string Quoted(const wchar_t* text) { return testing::PrintToString(std::wstring(text)); }

TEST(Val, ReadsTheLeadingNumber) {
  const std::wstring manyZeros(400, L'0');
  const struct {
    std::wstring text;
    double value;
  } cases[] = {
      {L"15abc", 15},
      {L"abc", 0},
      {L"", 0},
      {L".", 0},
      {L"-", 0},
      {L"1.5.3", 1.5},
      {L"1e", 1},
      {L"1e-", 1},
      {L"12,5", 12},
      {L"1e2.5", 100},
      {L"1 2 3", 123},
      {L"  -  3", -3},
      {L"\t1\n2", 12},
      {L"1\r2", 1},
      {L"1 . 5", 1.5},
      {L"+5", 5},
      {L"-1.5e2", -150},
      {L"1d2", 100},
      {L"2D3", 2000},
      {L"1E-2", 0.01},
      {L"1e+2", 100},
      {L".5", 0.5},
      {L"5.", 5},
      {L"-.5", -0.5},
      {L"0.1", 0.1},
      {L"1e-400", 0},
      {L"0x1F", 0},
      {L"\u0661", 0},
      {L"1\u00A02", 1},
      {L"123456789012345678901234567890", 123456789012345678901234567890.0},
      {L"0." + manyZeros + L"1e400", 0.1},  // the exponent makes up for the zeros
      {L"1" + manyZeros + L"e-400", 1},
      {L" &HFF", 255},
      {L"&HFFFF", -1},
      {L"&HFF", 255},
      {L"&h7fff", 32767},
      {L"&H8000", -32768},
      {L"&H10000", 65536},
      {L"&HFFFFFFFF", -1},
      {L"&H7FFFFFFF", 2147483647},
      {L"&H80000000", -2147483648.0},
      {L"&H0000FFFF", -1},
      {L"&HFFG", 255},
      {L"& H 1 0", 16},
      {L"&H", 0},
      {L"&Hx", 0},
      {L"&O17", 15},
      {L"&o17", 15},
      {L"&17", 15},
      {L"&O", 0},
      {L"&8", 0},
      {L"&O178", 15},
      {L"&", 0},
      {L"-&H10", 0},
      {L"&O177777", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Val(c.text), c.value) << testing::PrintToString(c.text);
  }
  EXPECT_TRUE(std::signbit(Val(L"-0")));
}

TEST(Val, NumbersTooLargeRaiseError6) {
  for (const wchar_t* text : {L"&H100000000", L"&HFFFFFFFFFFFFFFFFFFFF", L"&O40000000000", L"1e309", L"-1e309",
                              L"1e99999999999999999999", L"9999999999e300"}) {
    EXPECT_VB_ERROR(Val(text), 6) << Quoted(text);
  }
  EXPECT_VB_ERROR(Val(L"1" + std::wstring(400, L'0')), 6);
}

TEST(RoundToInteger, RoundsHalvesToEven) {
  const struct {
    double value;
    std::int32_t rounded;
  } cases[] = {
      {12.5, 12},
      {13.5, 14},
      {-2.5, -2},
      {-3.5, -4},
      {0.5, 0},
      {1.5, 2},
      {-0.5, 0},
      {0.49999999999999994, 0},
      {2.6, 3},
      {-2.6, -3},
      {7, 7},
      {-0.0, 0},
      {2147483647.4, 2147483647},
      {-2147483648.5, -2147483647 - 1},
      {-2147483648.4, -2147483647 - 1},
      {32767.4, 32767},
      {-32768.5, -32768},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CLng(c.value), c.rounded) << c.value;
    if (c.rounded >= -32768 && c.rounded <= 32767) {
      EXPECT_EQ(CInt(c.value), c.rounded) << c.value;
    }
  }
}

TEST(RoundToInteger, ResultsOutOfRangeRaiseError6) {
  const double infinity = std::numeric_limits<double>::infinity();
  for (const double value : {2147483647.5, 2147483648.0, -2147483648.6, -2147483649.0, 1e300, infinity, -infinity,
                             std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_VB_ERROR(CLng(value), 6) << value;
    EXPECT_VB_ERROR(CInt(value), 6) << value;
  }
  for (const double value : {32767.5, 32768.0, -32768.6, -32769.0, 65535.0}) {
    EXPECT_VB_ERROR(CInt(value), 6) << value;
  }
}

TEST(CBool, ReadsWordsAndWholeNumbers) {
  const struct {
    const wchar_t* text;
    bool value;
  } cases[] = {
      {L"True", true}, {L"TRUE", true}, {L"tRuE", true},  {L" True ", true},      {L"False", false}, {L"false", false},
      {L"-1", true},   {L"0", false},   {L"2", true},     {L"0.0", false},        {L" 0 ", false},   {L"+0", false},
      {L"-0.5", true}, {L"1e2", true},  {L"0e5", false},  {L"5.", true},          {L"&H0", false},   {L"&HFF", true},
      {L"&O0", false}, {L"&7", true},   {L"1e999", true}, {L"&H100000000", true},  // too large to hold, but not zero
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CBool(c.text), c.value) << Quoted(c.text);
  }
}

TEST(CBool, AnythingElseRaisesError13) {
  for (const wchar_t* text : {L"", L"   ", L"yes", L"15abc", L"1 2", L"Tru", L"True1", L"1e", L"&H", L".", L"-", L"\t1",
                              L"&H1G", L"True False"}) {
    EXPECT_VB_ERROR(CBool(text), 13) << Quoted(text);
  }
}

TEST(VbBool, TrueIsMinusOne) {
  EXPECT_EQ(VbBool(true), -1);
  EXPECT_EQ(VbBool(false), 0);
}

TEST(VbError, FactoriesCarryNumberAndRussianText) {
  const struct {
    VbError error;
    long number;
    const wchar_t* description;
  } cases[] = {
      {InvalidCallError(), 5, L"Недопустимый вызов процедуры или аргумент"},
      {OverflowError(), 6, L"Переполнение"},
      {SubscriptError(), 9, L"Индекс выходит за пределы допустимого диапазона"},
      {TypeMismatchError(), 13, L"Несоответствие типа"},
      {PatternError(), 93, L"Недопустимая строка шаблона"},
      {DuplicateKeyError(), 457, L"Этот ключ уже связан с элементом семейства"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.error.number, c.number);
    EXPECT_EQ(c.error.description, c.description);
    EXPECT_GT(std::strlen(c.error.what()), 0u);
  }
}

}  // namespace
}  // namespace qv
