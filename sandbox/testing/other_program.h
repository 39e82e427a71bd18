#pragma once
// Another program with the host's colour popup showing its palette tab (sbx_other_program_popup,
// beside the test program), for tests that the add-in leaves other programs' windows alone. It
// ends when this goes.
#include <windows.h>

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

  HANDLE shown_ = nullptr;
  PROCESS_INFORMATION process_{};
  HWND tabs_ = nullptr;
};

}  // namespace sbx
