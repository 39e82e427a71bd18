#pragma once
// A failure that is caught and passed over is recorded here, never swallowed: where it happened and
// what failed. Records go to the debugger (OutputDebugStringW); the test builds of the libraries
// keep them in a log of their own instead.
#include <string>
#include <string_view>

namespace qv {

void RecordFailure(std::wstring_view where, std::wstring_view what) noexcept;

// Records the exception in flight; call it only inside a catch block.
void RecordCaughtException(std::wstring_view where) noexcept;

// Where the records go instead of the debugger; nullptr restores the debugger.
using FailureSink = void (*)(std::wstring_view line) noexcept;
void SetFailureSink(FailureSink sink) noexcept;

// Runs `step`; a failure is recorded under `where` and goes no further. True when it succeeded.
// For window procedures, timer callbacks and COM methods, which no exception may leave, and for the
// sequences that skip a failing step and go on.
template <class Step>
bool Guarded(std::wstring_view where, Step&& step) noexcept {
  try {
    step();
    return true;
  } catch (...) {
    RecordCaughtException(where);
    return false;
  }
}

}  // namespace qv
