#pragma once
// An off-screen surface compatible with the display: a picture is composed in its DC and shown with
// one BitBlt. It only grows; asking for less keeps the larger bitmap. Growing starts a blank bitmap.
#include <windows.h>

#include <optional>

#include "win/gdi_owners.h"

namespace qv {

class BackBuffer {
 public:
  // Nullptr while empty, or after the display refused the bitmap.
  HDC hdc() const { return dc_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // At least this size from now on.
  void Grow(int width, int height);

 private:
  void Create(int width, int height);

  // Members go in reverse order: the bitmap out of the DC and deleted, then the DC.
  MemoryDc dc_;
  std::optional<Selected<HBITMAP>> bitmap_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace qv
