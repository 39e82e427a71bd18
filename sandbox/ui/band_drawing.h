#pragma once
// Drawing shared by the band of command bars and its drop-downs.
#include <windows.h>

#include <functional>
#include <string>

#include "sandbox/ui/band_control.h"

namespace sbx {

inline constexpr int kMenuRowHeight = 20;  // a menu-bar caption or a drop-down entry
inline constexpr int kFaceSize = 16;
inline constexpr int kTextPadding = 6;

// Paints the window through a memory bitmap, as the model asks for repaints often and flicker would
// show: `draw` gets a DC filled with the system colour `background`, in the band's font and with a
// transparent background mode.
void PaintBuffered(HWND window, int background, const std::function<void(HDC)>& draw);
// The caption's width in the DC's font, an "&" taken as the accelerator's mark.
int TextWidth(HDC dc, const std::wstring& caption);
// The face at (x, y), greyed when the control is disabled.
void DrawFace(HDC dc, const BandControl& control, int x, int y);
// The caption in `area`, vertically centred; grey when disabled, else in `colour`.
void DrawCaption(HDC dc, const BandControl& control, RECT area, COLORREF colour);
// A small triangle in the text colour, 5 pixels at its base, pointing down or right.
void DrawArrow(HDC dc, int left, int middle, bool right);

}  // namespace sbx
