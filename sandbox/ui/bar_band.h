#pragma once
// The band at the top of the main frame that pictures the command bars: the menu bar's captions in
// one row, below it one row per visible bar docked at the top. A passive picture: it takes no input.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "win/bound_window.h"

namespace sbx {

// One visible control as the band draws it.
struct BandControl {
  std::wstring caption;
  bool popup = false;
  bool begin_group = false;
  bool enabled = true;
  bool pressed = false;
  // A pasted face as 32-bit top-down rows (0x00RRGGBB); empty for none.
  long face_width = 0;
  long face_height = 0;
  std::vector<std::uint32_t> face;
};

struct BandRow {
  bool menu = false;  // the menu bar: captions only
  std::vector<BandControl> controls;
};

using BandRows = std::function<std::vector<BandRow>()>;

// The layout of a face's pixels, for GetDIBits and StretchDIBits.
BITMAPINFO FaceFormat(long width, long height);

// The height the rows take in the band.
int BandHeight(const std::vector<BandRow>& rows);

// The band window. It asks `rows` at every paint; `rows` must outlive it.
class BarBandWindow final : public qv::BoundWindow {
 public:
  explicit BarBandWindow(const BandRows& rows) : rows_(rows) {}
  // A child of `frame`, of a class with no "Window" in its name.
  void CreateIn(HWND frame);

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint() const;

  const BandRows& rows_;
};

}  // namespace sbx
