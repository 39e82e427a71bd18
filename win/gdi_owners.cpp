#include "win/gdi_owners.h"

#include <utility>

namespace qv {

PaintDc::PaintDc(PaintDc&& other) noexcept : window_(std::exchange(other.window_, nullptr)), paint_(other.paint_) {}

PaintDc& PaintDc::operator=(PaintDc&& other) noexcept {
  std::swap(window_, other.window_);
  std::swap(paint_, other.paint_);
  return *this;
}

PaintDc::~PaintDc() {
  if (window_) EndPaint(window_, &paint_);
}

DcSelection::DcSelection(DcSelection&& other) noexcept
    : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}

DcSelection::~DcSelection() {
  if (dc_ && previous_) SelectObject(dc_, previous_);
}

}  // namespace qv
