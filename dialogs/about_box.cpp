#include "dialogs/about_box.h"

#include <cstring>

#include "addin/session.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/dialog_window.h"
#include "dialogs/modeless_dialogs.h"
#include "win/failure_log.h"
#include "win/subclass.h"
#include "win/this_module.h"

namespace qv {
namespace {

constexpr wchar_t kThanks[] =
    L"Спасибо всем, кто присылал отчёты об ошибках, предложения и свои настройки отступов.\r\n"
    L"Отдельное спасибо тем, кто проверял каждую сборку в Visual Basic 6.0 и в редакторе VBA.";

// The letter V and the minus sign never reach the acknowledgements.
class ThanksFilter final : public Subclass {
 protected:
  std::optional<LRESULT> OnMessage(HWND, UINT& message, WPARAM& wparam, LPARAM&) override {
    if (message == WM_CHAR && (wparam == 86 || wparam == 45)) return 0;
    return std::nullopt;
  }
};

}  // namespace

class AboutBox final : public DialogWindow {
 public:
  explicit AboutBox(ModelessDialogs& dialogs) : dialogs_(dialogs) {}

 protected:
  void OnInit() override {
    SetDlgItemTextW(hwnd(), QV_ABOUT_VERSION, VersionLine(ThisModule()).c_str());
    SetDlgItemTextW(hwnd(), QV_ABOUT_THANKS, kThanks);
    thanks_.Hook(Item(QV_ABOUT_THANKS));
    dialogs_.keys.Add(hwnd());
  }

  void OnCommand(int id, int) override {
    if (id == IDOK || id == IDCANCEL) DestroyWindow(hwnd());
  }

  INT_PTR OnMessage(UINT message, WPARAM, LPARAM) override {
    if (message == WM_CLOSE) {
      DestroyWindow(hwnd());
      return TRUE;
    }
    if (message == WM_DESTROY) dialogs_.keys.Remove(hwnd());
    return FALSE;
  }

  void OnWindowDestroyed() override { dialogs_.about.Forget(this); }

 private:
  ModelessDialogs& dialogs_;
  ThanksFilter thanks_;
};

std::wstring VersionLine(HMODULE module) {
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  if (!found) return {};
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  const DWORD size = SizeofResource(module, found);
  // The fixed part sits on a 32-bit boundary after the block's key; its signature finds it.
  for (DWORD at = 0; bytes && at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, bytes + at, sizeof info);
    if (info.dwSignature != VS_FFI_SIGNATURE) continue;
    return L"Версия: " + std::to_wstring(HIWORD(info.dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(info.dwFileVersionMS)) + L"." + std::to_wstring(HIWORD(info.dwFileVersionLS));
  }
  return {};
}

// The modeless dialogs (the About box, the options dialog of an external start) are the ones that
// stay open between commands.
void UnloadDialogs(ModelessDialogs& dialogs) { dialogs.keys.DestroyAll(); }

void ShowAbout(ModelessDialogs& dialogs) {
  const AboutBox* box =
      dialogs.about.Open([](AboutBox& made) { return made.Create(QV_ABOUT_DIALOG, HostMainWindow()); }, dialogs);
  if (!box) return RecordFailure(L"ShowAbout", L"the About box cannot be created");
  ShowInFront(box->hwnd());
}

}  // namespace qv
