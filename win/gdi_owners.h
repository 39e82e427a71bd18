#pragma once
// Scoped owners of device contexts and GDI objects: each gives back what it holds when it goes.
// All are move-only; an owner of nothing (creation failed, or moved from) gives back nothing.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace qv {

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};

// A pen, brush, font or bitmap, deleted by its owner. Select it with Selected, which guarantees
// that it is out of the DC before it is deleted.
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, DeleteGdiObject>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

struct DeleteDc {
  void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

// From CreateCompatibleDC.
using MemoryDc = std::unique_ptr<HDC__, DeleteDc>;

struct ReleaseWindowDc {
  HWND window = nullptr;
  void operator()(HDC dc) const noexcept { ReleaseDC(window, dc); }
};

using WindowDc = std::unique_ptr<HDC__, ReleaseWindowDc>;

// GetDC: the client area; the screen for no window.
inline WindowDc ClientDc(HWND window) { return WindowDc(GetDC(window), ReleaseWindowDc{window}); }
// GetWindowDC: the whole window, frame included.
inline WindowDc WholeWindowDc(HWND window) { return WindowDc(GetWindowDC(window), ReleaseWindowDc{window}); }

// BeginPaint to EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { BeginPaint(window, &paint_); }
  PaintDc(PaintDc&& other) noexcept;
  PaintDc& operator=(PaintDc&& other) noexcept;
  ~PaintDc();
  HDC get() const { return paint_.hdc; }
  const PAINTSTRUCT& paint() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// An object selected into a DC; the DC's previous object is selected back when the owner goes.
// For objects the owner does not own, such as stock objects.
class DcSelection {
 public:
  DcSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  DcSelection(DcSelection&& other) noexcept;
  // Selections undo in reverse order; assigning one over another would break that.
  DcSelection& operator=(DcSelection&&) = delete;
  ~DcSelection();

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// An owned object selected into a DC: selected back out, then deleted.
template <class Handle>
class Selected {
 public:
  Selected(HDC dc, GdiObject<Handle> object) : object_(std::move(object)), selection_(dc, object_.get()) {}
  Selected(Selected&&) noexcept = default;
  Selected& operator=(Selected&&) = delete;
  Handle get() const { return object_.get(); }

 private:
  // Members go in reverse order: the selection first.
  GdiObject<Handle> object_;
  DcSelection selection_;
};

// SaveDC to RestoreDC: the DC's clip region, colours and selections go back as they were.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

}  // namespace qv
