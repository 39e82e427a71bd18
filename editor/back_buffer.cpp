#include "editor/back_buffer.h"

#include <algorithm>

namespace qv {

void BackBuffer::Grow(int width, int height) {
  if (width > width_ || height > height_) Create(std::max(width, width_), std::max(height, height_));
}

void BackBuffer::Create(int width, int height) {
  bitmap_.reset();
  dc_.reset();
  width_ = height_ = 0;
  const MemoryDc display(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
  MemoryDc dc(CreateCompatibleDC(display.get()));
  Bitmap bitmap(CreateCompatibleBitmap(display.get(), width, height));
  if (!dc || !bitmap) return;
  dc_ = std::move(dc);
  bitmap_.emplace(dc_.get(), std::move(bitmap));
  width_ = width;
  height_ = height;
}

}  // namespace qv
