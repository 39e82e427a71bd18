#pragma once
// Every message box of the add-in and the setup program goes through ShowMessageBox: tests put one
// stand-in in place of the system's boxes for as long as a ScopedMessageBoxes lives.
#include <windows.h>

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "kit/vb_error.h"

namespace qv {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // As MessageBoxW: the button pressed (IDOK, ...).
  virtual int Show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) = 0;
};

// The system's box, or the stand-in of the innermost ScopedMessageBoxes: the button pressed.
int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style);

class ScopedMessageBoxes {
 public:
  explicit ScopedMessageBoxes(MessageBoxes& boxes);
  ScopedMessageBoxes(const ScopedMessageBoxes&) = delete;
  ScopedMessageBoxes& operator=(const ScopedMessageBoxes&) = delete;
  ~ScopedMessageBoxes();

 private:
  MessageBoxes* previous_;
};

// A failed step of a sequence as the user reads it: the description, then the step's number.
std::wstring StepFailureText(const VbError& error, long step);

// Runs one step of a sequence; a failure, any exception other than a VbError as InvalidCallError,
// goes to `report` for its box, and the caller goes on with the next step.
template <class Report, class Step>
void RunStep(Report&& report, Step&& run) {
  try {
    std::forward<Step>(run)();
  } catch (const VbError& error) {
    report(error);
  } catch (const std::exception&) {
    report(InvalidCallError());
  }
}

}  // namespace qv
