#pragma once
// A popup control's entries in a drop-down: a top-level window under the popup (or beside the entry
// that opened it) that never takes the activation, so the code window keeps the focus and its caret
// while it is open.
#include <windows.h>

#include <optional>
#include <vector>

#include "sandbox/ui/band_control.h"
#include "win/bound_window.h"

namespace sbx {

// Who opens and closes the drop-downs: the band.
class DropDownOwner {
 public:
  // Entry `index` of the drop-down at `level` is a popup and was pressed.
  virtual void OpenBeside(int level, int index) = 0;
  // A button entry was released on: every drop-down closes, then its click runs.
  virtual void Choose(const BandControl& entry) = 0;
  virtual void CloseDropDowns() = 0;

 protected:
  ~DropDownOwner() = default;
};

class BandDropDown final : public qv::BoundWindow {
 public:
  BandDropDown(DropDownOwner& owner, int level, std::vector<BandControl> entries);

  // Shows it with its top-left corner at `where` (screen), moved to stay on the monitor; owned by
  // `frame`, so it stays above it. False when it could not be created.
  bool Open(HWND frame, POINT where);
  const std::vector<BandControl>& entries() const { return entries_; }
  // Entry `index` in screen coordinates.
  RECT EntryOnScreen(int index) const;
  // The entry whose own drop-down is open beside this one, shown highlighted; -1 for none.
  int open_entry() const { return open_entry_; }
  void SetOpenEntry(int index);

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The entry at a client point, or -1.
  int EntryAt(LPARAM point) const;
  void Paint() const;

  DropDownOwner& owner_;
  int level_;
  std::vector<BandControl> entries_;
  std::vector<RECT> rects_;  // client coordinates, one per entry
  SIZE size_{};              // of the client area
  int hot_ = -1;             // under the mouse
  int open_entry_ = -1;
};

}  // namespace sbx
