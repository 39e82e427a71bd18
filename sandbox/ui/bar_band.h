#pragma once
// The band at the top of the main frame that pictures the command bars (the menu bar's captions in
// one row, below it one row per visible bar docked at the top) and takes the mouse as the hosts'
// command bars do. What it does is assumed of both hosts, whose bars cannot be tried here:
// - A button shows pressed while the left button is held on it and is clicked when the button is
//   released over it; a disabled control does nothing.
// - A menu caption or a popup control opens its entries in a drop-down under it when pressed, and
//   closes it when pressed again; a popup entry opens its own entries beside it. A button entry is
//   clicked when the mouse button is released on it: the drop-downs close first, then the click runs.
// - Escape, a mouse button pressed anywhere but on the band or a drop-down, or the program losing
//   the activation closes every drop-down, and that key or press does nothing else.
// - The focus stays where it was, so the code window keeps its caret; menus have no keyboard access.
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "sandbox/ui/band_control.h"
#include "sandbox/ui/band_drop_down.h"
#include "win/bound_window.h"

namespace sbx {

// The height the rows take in the band.
int BandHeight(const std::vector<BandRow>& rows);

class BarBandWindow final : public qv::BoundWindow, private DropDownOwner {
 public:
  // It asks `rows` at every paint and every click; `rows` must outlive it.
  explicit BarBandWindow(const BandRows& rows) : rows_(rows) {}
  ~BarBandWindow() override;
  // A child of `frame`, of a class with no "Window" in its name.
  void CreateIn(HWND frame);

  // Where the control of `key` is shown on the screen: on the band, else in an open drop-down.
  std::optional<RECT> ScreenRect(const void* key) const;
  // The open drop-downs, the one under the band first.
  std::vector<HWND> DropDowns() const;

 private:
  // A control by its row and its place among the row's visible controls.
  struct CellId {
    size_t row = 0;
    size_t index = 0;
    friend bool operator==(const CellId&, const CellId&) = default;
  };
  struct Cell {
    CellId id;
    RECT rect;  // client coordinates
  };

  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  std::vector<Cell> Layout(const std::vector<BandRow>& rows) const;
  std::optional<Cell> CellAt(const std::vector<BandRow>& rows, LPARAM point) const;
  void Paint() const;
  void OnButtonDown(LPARAM point);
  void OnButtonUp(LPARAM point);

  void OpenBeside(int level, int index) override;
  void Choose(const BandControl& entry) override;
  void CloseDropDowns() override;
  // Opens the popup's entries as drop-down `level` at `where` (screen), closing those at or beyond it.
  void Open(size_t level, const BandControl& popup, POINT where);
  void CloseFrom(size_t level);
  // Escape and presses elsewhere while a drop-down is open; true when the message must go no further.
  bool Intercept(const MSG& message);
  static LRESULT CALLBACK OnQueuedMessage(int code, WPARAM removed, LPARAM message);

  const BandRows& rows_;
  std::optional<CellId> held_;    // the button the left button went down on, while it is held
  bool held_inside_ = false;      // and whether the mouse is over it
  std::optional<CellId> opened_;  // the control whose drop-down is open
  std::vector<std::unique_ptr<BandDropDown>> drop_downs_;
  HHOOK hook_ = nullptr;  // while a drop-down is open
};

}  // namespace sbx
