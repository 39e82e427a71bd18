#include "kit/hot_key.h"

#include <array>
#include <utility>

namespace qv {
namespace {

constexpr std::array<std::pair<long, std::wstring_view>, 16> kNamedKeys{{
    {8, L"Backspace"},
    {46, L"Delete"},
    {40, L"Down"},
    {35, L"End"},
    {13, L"Enter"},
    {27, L"Escape"},
    {47, L"Help"},
    {36, L"Home"},
    {45, L"Insert"},
    {37, L"Left"},
    {34, L"PageDown"},
    {33, L"PageUp"},
    {42, L"Print"},
    {39, L"Right"},
    {32, L"Space"},
    {9, L"Tab"},
}};

constexpr long kF1 = 112;
constexpr long kF12 = 123;
constexpr long kNumpad0 = 96;
constexpr long kNumpad9 = 105;
constexpr long kApostropheKey = 222;

}  // namespace

std::wstring HotKeyName(long key_code) {
  for (const auto& [code, name] : kNamedKeys) {
    if (code == key_code) return std::wstring(name);
  }
  if (key_code >= kF1 && key_code <= kF12) return L"F" + std::to_wstring(key_code - kF1 + 1);
  // The rest of 33..95 is named by its own character: digits, letters, and "&" for the Up arrow.
  if (key_code >= 33 && key_code <= 95) return std::wstring(1, static_cast<wchar_t>(key_code));
  if (key_code >= kNumpad0 && key_code <= kNumpad9) return std::wstring(1, static_cast<wchar_t>(L'0' + key_code - kNumpad0));
  if (key_code == kApostropheKey) return L"'";
  return L"";
}

std::wstring HotKeyText(long key_code, int modifiers) {
  std::wstring name = HotKeyName(key_code);
  if (name.empty()) return name;
  std::wstring text;
  if (modifiers & kCtrlHeld) text += L"Ctrl + ";
  if (modifiers & kShiftHeld) text += L"Shift + ";
  if (modifiers & kAltHeld) text += L"Alt + ";
  return text + name;
}

bool IsHotKey(std::wstring_view setting, int modifiers, long key_code) {
  if (setting == kNoHotKey) return false;
  const std::wstring text = HotKeyText(key_code, modifiers);
  return !text.empty() && setting == text;
}

}  // namespace qv
