#pragma once
// Small helpers shared by the Windows tests.
#include <windows.h>

#include <string>

namespace qv::test {

// A fresh key under HKCU\Software\QuorvaneTests, deleted with everything below it afterwards.
class ScratchKey {
 public:
  ScratchKey();
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;
  ~ScratchKey();
  const std::wstring& path() const { return path_; }
  HKEY handle() const { return handle_; }

 private:
  std::wstring path_;
  HKEY handle_ = nullptr;
};

// Dispatches messages of this thread until the time is up or done() is true; gives done()'s last value.
template <class Done>
bool PumpUntil(DWORD milliseconds, Done done) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

inline void PumpFor(DWORD milliseconds) {
  PumpUntil(milliseconds, [] { return false; });
}

bool KeyExists(HKEY root, const std::wstring& path);

// An export of a loaded library as a typed function pointer; nullptr when it has none.
template <class Fn>
Fn GetProc(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace qv::test
