#pragma once
// A rectangle of pixels, right and bottom exclusive, as Windows draws them.
namespace qv {

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PixelRect&) const = default;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

}  // namespace qv
