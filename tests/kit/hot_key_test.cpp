#include "kit/hot_key.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(HotKey, TextsOfKeysAndModifiers) {
  struct Case {
    long key;
    int modifiers;
    const wchar_t* text;
  };
  const Case cases[] = {
      {'S', kCtrlHeld, L"Ctrl + S"},
      {'S', 0, L"S"},
      {9, kCtrlHeld | kAltHeld, L"Ctrl + Alt + Tab"},
      {222, kCtrlHeld | kShiftHeld, L"Ctrl + Shift + '"},
      {'A', kShiftHeld | kAltHeld, L"Shift + Alt + A"},
      {'A', kCtrlHeld | kShiftHeld | kAltHeld, L"Ctrl + Shift + Alt + A"},
      {'A', kAltHeld, L"Alt + A"},
      {117, kShiftHeld, L"Shift + F6"},
      {112, 0, L"F1"},
      {123, 0, L"F12"},
      {27, kCtrlHeld, L"Ctrl + Escape"},
      {38, 0, L"&"},  // the Up arrow has no name of its own
      {40, 0, L"Down"},
      {47, 0, L"Help"},
      {'1', kCtrlHeld, L"Ctrl + 1"},
      {97, kCtrlHeld, L"Ctrl + 1"},  // keypad 1 reads as the digit row's
      {96, 0, L"0"},
      {105, 0, L"9"},
      {95, 0, L"_"},
      {17, kCtrlHeld, L""},  // modifier keys have no name
      {16, kShiftHeld, L""},
      {106, 0, L""},  // keypad operators
      {111, 0, L""},
      {186, 0, L""},
      {124, 0, L""},  // F13
      {0, 0, L""},
      {-1, 0, L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.text, HotKeyText(c.key, c.modifiers)) << c.key << " " << c.modifiers;
  }
}

TEST(HotKey, OnlyTheExactTextMatches) {
  EXPECT_TRUE(IsHotKey(L"Ctrl + S", kCtrlHeld, 'S'));
  EXPECT_FALSE(IsHotKey(L"Ctrl + S", 0, 'S'));  // Ctrl released first
  EXPECT_FALSE(IsHotKey(L"F6", kShiftHeld, 117));
  EXPECT_TRUE(IsHotKey(L"Shift + F6", kShiftHeld, 117));
  EXPECT_FALSE(IsHotKey(L"Shift + Ctrl + A", kCtrlHeld | kShiftHeld, 'A'));
  EXPECT_FALSE(IsHotKey(L"ctrl + a", kCtrlHeld, 'A'));
  EXPECT_FALSE(IsHotKey(L"", 0, 106));
  EXPECT_FALSE(IsHotKey(L"Нет", 0, 'N'));
}

// Whatever the dialog captures, the code window's release of that key matches it, and no other
// key or modifier set does.
TEST(HotKey, EveryTextMatchesItsKeyAndNoOther) {
  for (long key = 0; key < 256; ++key) {
    for (int modifiers = 0; modifiers < 8; ++modifiers) {
      const std::wstring text = HotKeyText(key, modifiers);
      if (text.empty()) continue;
      ASSERT_TRUE(IsHotKey(text, modifiers, key)) << text;
      for (int other = 0; other < 8; ++other) {
        if (other == modifiers) continue;
        ASSERT_FALSE(IsHotKey(text, other, key)) << text << " " << other;
      }
    }
  }
}

}  // namespace
}  // namespace qv
