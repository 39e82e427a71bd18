#pragma once
// What the band of command bars shows of one control, and what a click on it does.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sbx {

struct BandControl {
  std::wstring caption;
  bool popup = false;
  bool begin_group = false;
  bool enabled = true;
  bool pressed = false;  // the State the model holds
  // A pasted face as 32-bit top-down rows (0x00RRGGBB); empty for none.
  long face_width = 0;
  long face_height = 0;
  std::vector<std::uint32_t> face;
  // The model's control, by which tests find where it is drawn; never dereferenced here.
  const void* key = nullptr;
  // A button's click, as the user's click reaches the model; unset for none.
  std::function<void()> click;
  // A popup's entries, read when its drop-down opens; unset for none.
  std::function<std::vector<BandControl>()> entries;
};

struct BandRow {
  bool menu = false;  // the menu bar: captions only
  std::vector<BandControl> controls;
};

using BandRows = std::function<std::vector<BandRow>()>;

// The layout of a face's pixels, for GetDIBits and StretchDIBits.
BITMAPINFO FaceFormat(long width, long height);

}  // namespace sbx
