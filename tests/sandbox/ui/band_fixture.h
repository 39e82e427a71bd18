#pragma once
// The band of command bars in the suite's workspace, showing the rows a test gives it as the
// command-bar model would.
#include <windows.h>

#include <utility>
#include <vector>

#include "sandbox/ui/bar_band.h"
#include "tests/sandbox/ui/ui_fixture.h"

namespace sbx::test {

template <bool kSdi>
class BandFixture : public WorkspaceFixture<kSdi> {
 protected:
  void TearDown() override {
    Show({});
    WorkspaceFixture<kSdi>::TearDown();
  }

  // What the command-bar model does on a change: new rows, then BarsChanged.
  void Show(std::vector<BandRow> rows) {
    rows_ = std::move(rows);
    this->workspace_->band_rows = [this] { return rows_; };
    this->workspace_->BarsChanged();
    UpdateWindow(this->workspace_->BarBand().hwnd());
  }

  // A child's rectangle in the frame's client coordinates.
  RECT InFrame(HWND child) const {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, this->workspace_->MainWindow(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  RECT BandRect() const { return InFrame(this->workspace_->BarBand().hwnd()); }

  std::vector<BandRow> rows_;
};

using BandTest = BandFixture<false>;
using SdiBandTest = BandFixture<true>;

inline BandControl Control(const wchar_t* caption, bool popup = false) {
  BandControl control;
  control.caption = caption;
  control.popup = popup;
  return control;
}

}  // namespace sbx::test
