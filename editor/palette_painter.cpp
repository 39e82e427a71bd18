// The host's colour popup shows the add-in's palette on its first tab: painted over the host's own
// cells once each time that tab shows, with the cell of the edited property's colour framed.
#include "editor/palette_painter.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "addin/session.h"
#include "kit/palette_layout.h"
#include "kit/settings_table.h"
#include "win/gdi_owners.h"
#include "win/registry.h"
#include "win/window_identity.h"

namespace qv {
namespace {

constexpr std::int32_t kGrey = 0x808080;

// Outline in the DC's pen, inside in a brush of its own that goes with the rectangle.
void DrawRect(HDC dc, const PixelRect& rect, std::int32_t colour) {
  const Selected<HBRUSH> brush(dc, Brush(CreateSolidBrush(static_cast<COLORREF>(colour))));
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

bool IsHostTabControl(HWND window) {
  return IsWindow(window) && OfThisProcess(window) && ClassName(window) == L"SysTabControl32";
}

// The first showing tab control of the host's popups. Handles that no longer name one of the
// host's tab controls are dropped.
HWND ShowingPopupTabs(std::vector<HWND>& tabs) {
  std::erase_if(tabs, [](HWND window) { return !IsHostTabControl(window); });
  const auto showing = std::ranges::find_if(tabs, [](HWND window) { return IsWindowVisible(window) != FALSE; });
  return showing == tabs.end() ? nullptr : *showing;
}

// The Properties window's value box: in its own frame when it floats, else in the main window.
HWND PropertyValueBox(const std::wstring& caption) {
  const HWND floating = FindWindowW(L"VBFloatingPalette", caption.c_str());
  const HWND parent = OfThisProcess(floating) ? floating : HostMainWindow();
  const HWND list = parent ? FindWindowExW(parent, nullptr, L"wndclass_pbrs", caption.c_str()) : nullptr;
  return list ? FindWindowExW(list, nullptr, L"Edit", nullptr) : nullptr;
}

std::optional<std::int32_t> PropertyValue(const std::wstring& caption) {
  const HWND box = PropertyValueBox(caption);
  if (!box) return std::nullopt;
  wchar_t text[100] = {};
  GetWindowTextW(box, text, 100);
  return PropertyColour(text);
}

// Rows 7 and 8 follow the host's custom colours; rebuilt only when their text changed.
void FollowCustomColors() {
  const std::wstring text =
      GetRegValue(HKEY_CURRENT_USER, kVisualBasicHostKey, L"CustomColors").value_or(std::wstring(kWhiteCustomColors));
  std::wstring& last = State().settings.CustomColorsValue;
  if (text == last) return;
  last = text;
  SetCustomColors(Tables().PaletteColors, last);
}

}  // namespace

void DrawPalette(HDC dc, const PaletteTable& colors, std::optional<std::int32_t> current) {
  const PaletteLayout layout(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
  DrawRect(dc, layout.Background(), kGrey);
  bool framed = false;
  for (int column = 1; column <= 8; ++column) {
    for (int row = 1; row <= 8; ++row) {
      const std::int32_t colour = colors[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
      // The frame goes first: the cell covers its middle.
      if (!framed && colour == current) {
        DrawRect(dc, layout.Frame(column, row), kWhite);
        framed = true;
      }
      DrawRect(dc, layout.Cell(column, row), colour);
    }
  }
}

void PaintPaletteCustomColors(PalettePopups& popups) {
  bool& painted = popups.painted;
  // Tab 0 is the palette; any other view makes its next showing paint again. Most ticks find no
  // popup showing and ask the host nothing.
  const HWND tabs = ShowingPopupTabs(popups.tabs);
  if (!tabs || SendMessageW(tabs, TCM_GETCURFOCUS, 0, 0) != 0) {
    painted = false;
    return;
  }
  const Window active = VBInstance().ActiveWindow();
  if (!active) return;
  if (active.Type() != kPropertiesWindowType) {
    painted = false;
    return;
  }
  if (painted) return;
  FollowCustomColors();
  const std::optional<std::int32_t> current = PropertyValue(active.Caption());
  const WindowDc dc = ClientDc(tabs);
  if (!dc) return;
  DrawPalette(dc.get(), Tables().PaletteColors, current);
  painted = true;
}

}  // namespace qv
