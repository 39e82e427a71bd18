// The strip's picture: composed on the back buffer, shown with one BitBlt. Every pen and brush is
// made for one step and gone after it; the fonts belong to the strip.
#include <algorithm>
#include <initializer_list>

#include "editor/tab_strip.h"
#include "win/window_identity.h"

namespace qv {
namespace {

void Line(HDC dc, int color, std::initializer_list<POINT> points) {
  const Selected<HPEN> pen(dc, Pen(CreatePen(PS_SOLID, 1, GetSysColor(color))));
  Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

void Fill(HDC dc, RECT rect, COLORREF color) { FillRect(dc, &rect, Brush(CreateSolidBrush(color)).get()); }

RECT ToRect(const PixelRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

std::wstring Caption(HWND window) {
  std::wstring title(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  title.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(window, title.data(), static_cast<int>(title.size())))));
  return TabCaption(title);
}

int TextWidth(HDC dc, const std::wstring& text, HFONT font) {
  if (text.empty()) return 0;
  const DcSelection selection(dc, font);
  RECT rect{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
  return rect.right - rect.left;
}

}  // namespace

void TabStrip::DrawFrame(HDC dc, int width, int height) const {
  Line(dc, COLOR_BTNSHADOW, {{0, 0}, {width - 1, 0}, {width - 1, height - 1}, {0, height - 1}, {0, 0}});
  Line(dc, COLOR_BTNFACE, {{1, 1}, {1, height - 2}});
  Line(dc, COLOR_BTNFACE, {{width - 2, 1}, {width - 2, height - 2}});
  const int far_row = bottom_ ? 1 : height - 2;
  Line(dc, COLOR_BTNFACE, {{1, far_row}, {width - 1, far_row}});
}

void TabStrip::DrawGround(HDC dc, const StripGeometry& geometry) const {
  const PixelRect strip = geometry.Strip();
  const COLORREF ground = BlendColor(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), 80);
  if (bottom_) return Fill(dc, {strip.left, geometry.Height() - kStripHeight, strip.right, geometry.Height()}, ground);
  Fill(dc, ToRect(strip), ground);
  Line(dc, COLOR_BTNFACE, {{1, strip.bottom}, {geometry.Width() - 1, strip.bottom}});
  Line(dc, COLOR_BTNFACE, {{1, strip.bottom + 1}, {geometry.Width() - 1, strip.bottom + 1}});
}

std::vector<std::wstring> TabStrip::Measure(HDC dc, int active_tab, const StripGeometry& geometry) {
  std::vector<int> widths;
  std::vector<std::wstring> captions;
  for (int i = 0; i < static_cast<int>(Tabs().size()); ++i) {
    captions.push_back(Caption(TabWindow(i)));
    widths.push_back(TextWidth(dc, captions.back(), i == active_tab ? fonts_->bold.get() : fonts_->normal.get()));
  }
  rects_ = geometry.Layout(widths);
  return captions;
}

void TabStrip::Draw() {
  if (!fonts_ || !buffer_) return;
  Sync();
  const StripGeometry geometry = Geometry();
  const WindowDc window = WholeWindowDc(client_);
  buffer_->Grow(geometry.Width(), geometry.Height() + 1);
  const HDC dc = buffer_->hdc();
  DrawFrame(window.get(), geometry.Width(), geometry.Height());
  DrawGround(dc, geometry);
  const PixelRect strip = geometry.Strip();
  if (!Tabs().empty()) {
    const HWND active = ActiveChild();
    const int active_tab = order_.IndexOf(reinterpret_cast<std::intptr_t>(active));
    const std::vector<std::wstring> captions = Measure(dc, active_tab, geometry);
    if (active != last_active_ && active_tab != kNoTab) {
      last_active_ = active;
      offset_ = ScrollToShow(TabRect(active_tab), offset_, geometry);
    }
    offset_ = ClampScroll(offset_, rects_, geometry.Width());
    SetBkMode(dc, TRANSPARENT);
    bool active_shown = false;
    for (int i = 0; i < static_cast<int>(Tabs().size()); ++i) {
      if (!DrawTab(dc, i, active_tab, captions[static_cast<std::size_t>(i)], geometry, active_shown)) break;
    }
    const int baseline = bottom_ ? strip.top : strip.bottom - 1;
    const int from = active_shown ? geometry.ButtonsLeft() : strip.left;
    Line(dc, bottom_ ? COLOR_3DDKSHADOW : COLOR_3DHIGHLIGHT, {{from, baseline}, {strip.right, baseline}});
    for (const StripButton button : {StripButton::kScrollLeft, StripButton::kScrollRight, StripButton::kClose}) {
      DrawButton(dc, button, geometry);
    }
  } else {
    // Nothing drawn, nothing to hit: no tab, and no button takes the mouse or scrolls.
    last_active_ = nullptr;
    rects_.clear();
    offset_ = 0;
  }
  // The bottom strip's picture sits one row lower in the buffer.
  const int target = bottom_ ? geometry.Height() - kStripHeight : 1;
  BitBlt(window.get(), strip.left, target, strip.right - strip.left, kStripHeight - 1, dc, strip.left,
         bottom_ ? target + 1 : 1, SRCCOPY);
}

bool TabStrip::DrawTab(HDC dc, int tab, int active, const std::wstring& caption, const StripGeometry& geometry,
                       bool& active_shown) const {
  const int buttons = geometry.ButtonsLeft();
  PixelRect t = TabRect(tab);
  t.left -= offset_;
  t.right -= offset_;
  if (t.left > buttons) return false;
  const bool cut = t.right > buttons;
  if (cut) t.right = buttons;
  const PixelRect strip = geometry.Strip();
  if (tab == active) {
    active_shown = t.right > 0;
    RECT face = ToRect(t);
    if (face.left < 0) face.left = 1;
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    if (bottom_) {
      Line(dc, COLOR_3DDKSHADOW, {{strip.left, t.top}, {t.left, t.top}});
      if (cut) {
        Line(dc, COLOR_3DDKSHADOW, {{t.left, t.bottom - 1}, {t.right - 1, t.bottom - 1}});
      } else {
        Line(dc, COLOR_3DDKSHADOW,
             {{t.left, t.bottom - 1}, {t.right - 1, t.bottom - 1}, {t.right - 1, t.top}, {strip.right - 1, t.top}});
      }
      Line(dc, COLOR_3DHIGHLIGHT, {{t.left, t.top}, {t.left, t.bottom - 1}});
    } else {
      Line(dc, COLOR_3DHIGHLIGHT, {{strip.left, t.bottom - 1}, {t.left, t.bottom - 1}, {t.left, t.top}, {t.right - 1, t.top}});
      if (!cut) {
        Line(dc, COLOR_3DHIGHLIGHT, {{t.right - 1, t.bottom - 1}, {strip.right - 1, t.bottom - 1}});
        Line(dc, COLOR_3DDKSHADOW, {{t.right - 1, t.top + 1}, {t.right - 1, t.bottom}});
      }
    }
  } else if (!cut && tab + 1 != active) {
    Line(dc, COLOR_BTNSHADOW, {{t.right - 1, t.top + 3}, {t.right - 1, t.bottom - 2}});
  }
  if (caption.empty()) return true;
  const DcSelection font(dc, tab == active ? fonts_->bold.get() : fonts_->normal.get());
  SetTextColor(dc, GetSysColor(tab == active ? COLOR_BTNTEXT : COLOR_3DDKSHADOW));
  RECT text{t.left + 8, t.top, t.right - 8, t.bottom};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_VCENTER | DT_SINGLELINE);
  return true;
}

void TabStrip::DrawButton(HDC dc, StripButton button, const StripGeometry& geometry) const {
  const PixelRect r = geometry.Button(button);
  const bool enabled = button == StripButton::kScrollLeft    ? CanScrollLeft(offset_)
                       : button == StripButton::kScrollRight ? CanScrollRight(rects_, offset_, geometry)
                                                             : !Tabs().empty();
  RECT glyph{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  if (enabled && hot_ == button) {
    const bool pressed = pressed_button_ == button;
    Line(dc, pressed ? COLOR_3DDKSHADOW : COLOR_3DHIGHLIGHT, {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right - 1, r.top}});
    Line(dc, pressed ? COLOR_3DHIGHLIGHT : COLOR_3DDKSHADOW,
         {{r.right - 1, r.top + 1}, {r.right - 1, r.bottom - 1}, {r.left + 1, r.bottom - 1}});
    if (pressed) OffsetRect(&glyph, 1, 1);
  }
  const DcSelection font(dc, button == StripButton::kClose ? fonts_->cross.get() : fonts_->arrows.get());
  SetTextColor(dc, enabled ? GetSysColor(COLOR_3DDKSHADOW)
                           : BlendColor(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DDKSHADOW), 192));
  const wchar_t* text = button == StripButton::kScrollLeft ? L"3" : button == StripButton::kScrollRight ? L"4" : L"r";
  DrawTextW(dc, text, 1, &glyph, DT_CENTER | DT_VCENTER);
}

}  // namespace qv
