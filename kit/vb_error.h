#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace qv {

// A run-time error of the edited language, as its Err object would report it.
struct VbError : std::exception {
  VbError(long errorNumber, std::wstring errorDescription);
  const char* what() const noexcept override;

  long number;
  std::wstring description;
};

VbError InvalidCallError();   // 5
VbError OverflowError();      // 6
VbError SubscriptError();     // 9
VbError TypeMismatchError();  // 13
VbError ObjectNotSetError();  // 91
VbError PatternError();       // 93
VbError DuplicateKeyError();  // 457
// 75, naming the file or folder the user must look at.
VbError PathFileAccessError(std::wstring_view path);

}  // namespace qv
