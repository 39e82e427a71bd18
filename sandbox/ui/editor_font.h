#pragma once
// The code editor's font, read from the host's settings key at every use, exactly as the add-in's
// highlight painter reads and creates it, so that both draw with the same face.
#include <windows.h>

#include <string>
#include <string_view>

#include "win/gdi_owners.h"

namespace sbx {

struct EditorFontSettings {
  std::wstring face = L"Courier New CYR";
  int height = 10;  // points
  int charset = 204;
  bool indicator_bar = true;
};

// HKCU\<settings_key> FontFace, FontHeight, FontCharset, IndicatorBar; defaults for what is missing.
EditorFontSettings ReadEditorFontSettings(const std::wstring& settings_key);

// Selects the editor font into a DC for its lifetime.
class EditorFont {
 public:
  EditorFont(HDC dc, const EditorFontSettings& settings);

  int LineHeight() const { return line_height_; }
  int Extent(std::wstring_view text) const;  // GetTextExtentPoint32 width
  // Horizontal scrolling moves the text by the average width of "d" and "i" a step.
  int ScrollShift(int steps) const { return steps * scroll_step2_ / 2; }

 private:
  HDC dc_;
  qv::Selected<HFONT> font_;
  int line_height_ = 0;
  int scroll_step2_ = 0;  // width of "d" plus width of "i"
};

}  // namespace sbx
