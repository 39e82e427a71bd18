#pragma once
// What the dialogs ask of the user through the system's own boxes. Tests put a scripted stand-in in
// place of the real boxes for as long as a ScopedPrompts lives.
#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

class Prompts {
 public:
  virtual ~Prompts() = default;
  // MessageBoxW: the button pressed (IDOK, ...).
  virtual int Message(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) = 0;
  // The shell's folder dialog (tsGetPathFromUser): the chosen path, "" when cancelled.
  virtual std::wstring PickFolder(HWND owner, UINT flags, std::wstring_view title, std::wstring_view start_folder) = 0;
};

// The real boxes, or the stand-in of the innermost ScopedPrompts.
Prompts& CurrentPrompts();

class ScopedPrompts {
 public:
  explicit ScopedPrompts(Prompts& prompts);
  ScopedPrompts(const ScopedPrompts&) = delete;
  ScopedPrompts& operator=(const ScopedPrompts&) = delete;
  ~ScopedPrompts();

 private:
  Prompts* previous_;
};

}  // namespace qv
