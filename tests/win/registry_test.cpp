#include "win/registry.h"

#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace qv {
namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void Put(const wchar_t* name, DWORD type, const void* data, size_t bytes) {
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExW(key_.handle(), name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(bytes)));
  }
  void PutText(const wchar_t* name, const std::wstring& text) {
    Put(name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }
  std::optional<std::wstring> Get(const wchar_t* name) { return GetRegValue(HKEY_CURRENT_USER, key_.path(), name); }

  test::ScratchKey key_;
};

TEST_F(RegistryTest, TextWithNulIsReadUpToIt) {
  PutText(L"plain", L"abc");
  EXPECT_EQ(L"abc", Get(L"plain"));
  // Blanks of a value stored with its NUL belong to the value.
  PutText(L"padded", L" abc ");
  EXPECT_EQ(L" abc ", Get(L"padded"));
  // Data after an embedded NUL is not part of the text.
  Put(L"embedded", REG_SZ, L"ab\0cd", 6 * sizeof(wchar_t));
  EXPECT_EQ(L"ab", Get(L"embedded"));
}

TEST_F(RegistryTest, SetRegValueStoresWithoutNulAndReadsBackTrimmed) {
  SetRegValue(HKEY_CURRENT_USER, key_.path(), L"v", L" abc ");
  DWORD type = 0;
  DWORD bytes = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key_.handle(), L"v", nullptr, &type, nullptr, &bytes));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(5 * sizeof(wchar_t), bytes);
  EXPECT_EQ(L"abc", Get(L"v"));
  // A TAB is not a blank.
  SetRegValue(HKEY_CURRENT_USER, key_.path(), L"tab", L"\tx\t");
  EXPECT_EQ(L"\tx\t", Get(L"tab"));
}

// The exact bytes: COM and the hosts count the NUL, the add-in's own settings go without it.
TEST_F(RegistryTest, SetRegValueWritesTheTextWithOrWithoutItsNul) {
  const struct {
    const wchar_t* name;
    std::wstring value;
    TextEnd end;
  } cases[] = {
      {L"", L"default", TextEnd::kNul}, {L"a", L" abc ", TextEnd::kNul},  {L"b", L"", TextEnd::kNul},
      {L"c", L"Имя", TextEnd::kNul},    {L"d", L" abc ", TextEnd::kNone}, {L"e", L"", TextEnd::kNone},
      {L"f", L"x\ty", TextEnd::kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    ASSERT_EQ(ERROR_SUCCESS, SetRegValue(HKEY_CURRENT_USER, key_.path(), c.name, c.value, c.end));
    const std::size_t count = c.value.size() + (c.end == TextEnd::kNul ? 1 : 0);
    std::vector<wchar_t> data(count + 4, L'#');
    DWORD type = 0;
    auto bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    ASSERT_EQ(ERROR_SUCCESS,
              RegQueryValueExW(key_.handle(), c.name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(count * sizeof(wchar_t), bytes);
    EXPECT_EQ(std::wstring(c.value) + (c.end == TextEnd::kNul ? std::wstring(1, L'\0') : L""),
              std::wstring(data.data(), count));
  }
  // A key that cannot be made gives the registry's status.
  EXPECT_NE(ERROR_SUCCESS, SetRegValue(nullptr, key_.path(), L"v", L"x"));
}

TEST_F(RegistryTest, SetRegValueCreatesMissingParentsAndKeepsCyrillic) {
  const std::wstring deep = key_.path() + L"\\VBA\\Вложенный";
  SetRegValue(HKEY_CURRENT_USER, deep, L"Имя", L"Значение ёЁ");
  EXPECT_EQ(L"Значение ёЁ", GetRegValue(HKEY_CURRENT_USER, deep, L"Имя"));
}

TEST_F(RegistryTest, NothingStoredGivesNoValueSoTheCallersDefaultStands) {
  EXPECT_FALSE(Get(L"missing"));
  EXPECT_FALSE(GetRegValue(HKEY_CURRENT_USER, key_.path() + L"\\NoSuchKey", L"v"));
  PutText(L"empty", L"");
  EXPECT_FALSE(Get(L"empty"));
  SetRegValue(HKEY_CURRENT_USER, key_.path(), L"blanks", L"   ");
  EXPECT_FALSE(Get(L"blanks"));
  Put(L"expand", REG_EXPAND_SZ, L"%TEMP%", 7 * sizeof(wchar_t));
  EXPECT_FALSE(Get(L"expand"));
  const auto v = Get(L"missing");
  const bool flag = v ? *v == L"True" : true;  // the typed default of a caller
  EXPECT_TRUE(flag);
}

TEST_F(RegistryTest, QueryValueGivesItsDefaultOnlyWhenTheValueCannotBeRead) {
  EXPECT_EQ(L"dflt", QueryValue(key_.handle(), L"missing", L"dflt"));
  EXPECT_EQ(L"", QueryValue(key_.handle(), L"missing"));
  EXPECT_EQ(L"dflt", QueryValue(nullptr, L"missing", L"dflt"));
  PutText(L"empty", L"");
  EXPECT_EQ(L"", QueryValue(key_.handle(), L"empty", L"dflt"));
}

TEST_F(RegistryTest, DwordIsSignedDecimal) {
  const std::int32_t minusOne = -1;
  Put(L"d", REG_DWORD, &minusOne, sizeof minusOne);
  EXPECT_EQ(L"-1", Get(L"d"));
  const std::int32_t big = 2147483647;
  Put(L"big", REG_DWORD, &big, sizeof big);
  EXPECT_EQ(L"2147483647", Get(L"big"));
}

TEST_F(RegistryTest, BinaryGivesItsFirstTwoBytesAsSigned16Bit) {
  const unsigned char one[] = {0x05};
  Put(L"one", REG_BINARY, one, sizeof one);
  EXPECT_EQ(L"5", Get(L"one"));
  const unsigned char two[] = {0xFF, 0xFF};
  Put(L"two", REG_BINARY, two, sizeof two);
  EXPECT_EQ(L"-1", Get(L"two"));
  // Longer than the 16-bit integer: the rest is ignored, nothing is overwritten.
  std::vector<unsigned char> longer(300, 0xAB);
  longer[0] = 0x34;
  longer[1] = 0x12;
  Put(L"long", REG_BINARY, longer.data(), longer.size());
  EXPECT_EQ(L"4660", Get(L"long"));
}

}  // namespace
}  // namespace qv
