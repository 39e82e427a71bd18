#pragma once
// Another program with the host's colour popup showing its palette tab (sbx_other_program_popup,
// beside the test program), for tests that the add-in leaves other programs' windows alone. It
// ends when this goes.
#include <windows.h>

#include "win/unique_handle.h"

namespace sbx {

class OtherProgram {
 public:
  OtherProgram();
  OtherProgram(const OtherProgram&) = delete;
  OtherProgram& operator=(const OtherProgram&) = delete;
  ~OtherProgram();

  // Its popup's tab control; nullptr when it did not start.
  HWND Tabs() const { return tabs_; }

 private:
  HWND FindTabs() const;

  qv::UniqueObject shown_;
  qv::UniqueObject process_;
  qv::UniqueObject thread_;
  DWORD process_id_ = 0;
  HWND tabs_ = nullptr;
};

}  // namespace sbx
