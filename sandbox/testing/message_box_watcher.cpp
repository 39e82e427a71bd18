#include "sandbox/testing/message_box_watcher.h"

#include <algorithm>
#include <utility>

namespace sbx {
namespace {

thread_local MessageBoxWatcher* t_watcher = nullptr;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

LONG StyleOf(HWND window) { return GetWindowLongW(window, GWL_STYLE); }

// What the dialog shows: its buttons in child order, the default one, the text and the icon.
struct BoxContents {
  std::vector<std::pair<int, HWND>> buttons;
  int default_button = 0;
  std::wstring text;
  HICON icon = nullptr;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM lparam) {
  auto& contents = *reinterpret_cast<BoxContents*>(lparam);
  // The dialog may not be shown yet, so the children's own style bit tells what is visible.
  if (!(StyleOf(child) & WS_VISIBLE)) return TRUE;
  const std::wstring name = ClassOf(child);
  if (lstrcmpiW(name.c_str(), L"Button") == 0) {
    const int id = GetDlgCtrlID(child);
    contents.buttons.emplace_back(id, child);
    if ((StyleOf(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) contents.default_button = id;
  } else if (lstrcmpiW(name.c_str(), L"Static") == 0) {
    if ((StyleOf(child) & SS_TYPEMASK) == SS_ICON) {
      contents.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    } else if (contents.text.empty()) {
      contents.text = TextOf(child);
    }
  }
  return TRUE;
}

UINT ButtonsStyle(const BoxContents& contents) {
  std::vector<int> ids;
  for (const auto& button : contents.buttons) {
    if (button.first != IDHELP) ids.push_back(button.first);
  }
  std::sort(ids.begin(), ids.end());
  const std::pair<std::vector<int>, UINT> kinds[] = {
      {{IDOK, IDCANCEL}, MB_OKCANCEL},           {{IDABORT, IDRETRY, IDIGNORE}, MB_ABORTRETRYIGNORE},
      {{IDCANCEL, IDYES, IDNO}, MB_YESNOCANCEL}, {{IDYES, IDNO}, MB_YESNO},
      {{IDCANCEL, IDRETRY}, MB_RETRYCANCEL},     {{IDCANCEL, IDTRYAGAIN, IDCONTINUE}, MB_CANCELTRYCONTINUE},
  };
  for (const auto& [kind_ids, style] : kinds) {
    if (ids == kind_ids) return style;
  }
  return MB_OK;
}

UINT IconStyle(HICON icon) {
  if (!icon) return 0;
  const std::pair<LPCWSTR, UINT> icons[] = {
      {IDI_HAND, MB_ICONHAND},
      {IDI_QUESTION, MB_ICONQUESTION},
      {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
      {IDI_ASTERISK, MB_ICONASTERISK},
  };
  for (const auto& [resource, style] : icons) {
    if (LoadIconW(nullptr, resource) == icon) return style;
  }
  return 0;
}

UINT DefaultButtonStyle(const BoxContents& contents) {
  for (size_t i = 0; i < contents.buttons.size(); ++i) {
    if (contents.buttons[i].first == contents.default_button) return static_cast<UINT>(i) * MB_DEFBUTTON2;
  }
  return MB_DEFBUTTON1;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher()
    : hook_(SetWindowsHookExW(WH_CBT, &MessageBoxWatcher::OnCbt, nullptr, GetCurrentThreadId())) {
  t_watcher = this;
}

MessageBoxWatcher::~MessageBoxWatcher() {
  UnhookWindowsHookEx(hook_);
  t_watcher = nullptr;
}

LRESULT CALLBACK MessageBoxWatcher::OnCbt(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE && t_watcher) {
    const auto window = reinterpret_cast<HWND>(wparam);
    if (ClassOf(window) == L"#32770") {
      t_watcher->activated_.push_back(window);
      SetTimer(nullptr, 0, 0, &MessageBoxWatcher::OnTimer);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void CALLBACK MessageBoxWatcher::OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (!t_watcher) return;
  const std::vector<HWND> dialogs = std::exchange(t_watcher->activated_, {});
  for (const HWND dialog : dialogs) {
    if (IsWindow(dialog)) t_watcher->Handle(dialog);
  }
}

void MessageBoxWatcher::Handle(HWND dialog) {
  // A box activates again after another window took the focus: answer it once.
  if (GetPropW(dialog, L"SbxAnswered")) return;
  BoxContents contents;
  EnumChildWindows(dialog, &CollectChild, reinterpret_cast<LPARAM>(&contents));
  if (contents.buttons.empty()) return;  // some other dialog
  if (!contents.default_button) {
    const HWND focus = GetFocus();
    contents.default_button =
        focus && GetParent(focus) == dialog ? GetDlgCtrlID(focus) : contents.buttons.front().first;
  }

  int answer = contents.default_button;
  if (!script_.empty()) {
    const int scripted = script_.front();
    script_.pop_front();
    const bool shown = std::any_of(contents.buttons.begin(), contents.buttons.end(),
                                   [&](const auto& button) { return button.first == scripted; });
    if (shown) answer = scripted;
  }
  const UINT help = std::any_of(contents.buttons.begin(), contents.buttons.end(),
                                [](const auto& button) { return button.first == IDHELP; })
                        ? MB_HELP
                        : 0;
  boxes_.push_back({TextOf(dialog), contents.text,
                    ButtonsStyle(contents) | IconStyle(contents.icon) | DefaultButtonStyle(contents) | help, answer});
  SetPropW(dialog, L"SbxAnswered", reinterpret_cast<HANDLE>(1));
  const HWND button = GetDlgItem(dialog, answer);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}  // namespace sbx
