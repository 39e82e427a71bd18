#pragma once
// What the dialogs ask of the user through the system's folder dialog. Tests put a scripted stand-in
// in place of it for as long as a ScopedPrompts lives; message boxes go through win/message_box.h.
#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

class Prompts {
 public:
  virtual ~Prompts() = default;
  // The shell's folder dialog (tsGetPathFromUser): the chosen path, "" when cancelled.
  virtual std::wstring PickFolder(HWND owner, UINT flags, std::wstring_view title, std::wstring_view start_folder) = 0;
};

// The real dialog, or the stand-in of the innermost ScopedPrompts.
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
