#include "sandbox/ui/editor_font.h"

#include <cwchar>
#include <optional>

#include "win/registry.h"

namespace sbx {
namespace {

int ReadNumber(const std::wstring& key, const wchar_t* name, int fallback) {
  const std::optional<std::wstring> text = qv::GetRegValue(HKEY_CURRENT_USER, key, name);
  if (!text) return fallback;
  wchar_t* end = nullptr;
  const long value = std::wcstol(text->c_str(), &end, 10);
  return end == text->c_str() ? fallback : static_cast<int>(value);
}

std::string ToAnsi(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), size, nullptr, nullptr);
  ansi.resize(ansi.size() - 1);
  return ansi;
}

// The add-in's painter creates its font with exactly this ANSI call; the same call makes the system
// fall back to the same face when FontFace is not installed.
HFONT CreateEditorFont(HDC dc, const EditorFontSettings& settings) {
  return CreateFontA(-MulDiv(settings.height, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, 400, 0, 0, 0,
                     static_cast<DWORD>(settings.charset), OUT_DEFAULT_PRECIS, CLIP_CHARACTER_PRECIS, PROOF_QUALITY, 0,
                     ToAnsi(settings.face).c_str());
}

SIZE ExtentOf(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace

EditorFontSettings ReadEditorFontSettings(const std::wstring& settings_key) {
  EditorFontSettings settings;
  if (std::optional<std::wstring> face = qv::GetRegValue(HKEY_CURRENT_USER, settings_key, L"FontFace")) {
    settings.face = *face;
  }
  settings.height = ReadNumber(settings_key, L"FontHeight", settings.height);
  settings.charset = ReadNumber(settings_key, L"FontCharset", settings.charset);
  settings.indicator_bar = ReadNumber(settings_key, L"IndicatorBar", 1) != 0;
  return settings;
}

EditorFont::EditorFont(HDC dc, const EditorFontSettings& settings)
    : dc_(dc), font_(dc, qv::Font(CreateEditorFont(dc, settings))) {
  line_height_ = ExtentOf(dc, L" ").cy;
  scroll_step2_ = ExtentOf(dc, L"d").cx + ExtentOf(dc, L"i").cx;
}

int EditorFont::Extent(std::wstring_view text) const { return ExtentOf(dc_, text).cx; }

}  // namespace sbx
