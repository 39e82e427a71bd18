// QuorvaneSandbox: the host editor stand-in as a program. Opens a sample project, loads the add-ins
// registered for the host and runs until its window closes.
//
//   QuorvaneSandbox [--vb6] [--sdi] [--case-keywords] [--sample <folder>] [--register <library>]...
//                   [--click <bar>|<caption>...] [--screenshot <png> --seconds <n>]
//                   [--popup-screenshot <png>] [--type <text>]
//
// --sample: the folder the sample project is written to at start ("QuorvaneSandbox" in the temporary
// folder by default); the host's save writes it back there, and the backup archives it beside it.
// --case-keywords: a typed line's keywords are cased when the caret leaves it, as in the real
// editors. --register calls the library's DllRegisterServer first, so that an add-in is loaded
// through its own registration. --type types the text as keys on a new line above the last line
// that is not blank in the active code window (the sample's last End Sub) once the add-ins have had a
// few ticks; "\n" in it is Enter. --click then clicks a control, named by its bar and captions
// separated by "|". --screenshot runs for n seconds, saves the main window and exits;
// --popup-screenshot saves the main window's last active popup as well (a box the click opened), a
// second and a half after the click; a modal box is then closed, as by its close box.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "sandbox/host/host.h"
#include "sandbox/sample/sample_project.h"
#include "sandbox/ui/input.h"
#include "sandbox/ui/message_loop.h"
#include "sandbox/ui/screenshot.h"

namespace {

struct Options {
  sbx::HostOptions host;
  std::vector<std::wstring> libraries;
  std::wstring click;
  std::wstring screenshot;
  std::wstring popup_screenshot;
  std::wstring typed;
  std::wstring sample;
  DWORD seconds = 5;
};

Options ParseOptions() {
  Options options;
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; i < count; ++i) {
    const std::wstring arg = args[i];
    const bool has_value = i + 1 < count;
    if (arg == L"--vb6") {
      options.host.personality = sbx::Personality::kVb6;
    } else if (arg == L"--vba") {
      options.host.personality = sbx::Personality::kVba;
    } else if (arg == L"--sdi") {
      options.host.sdi = true;
    } else if (arg == L"--case-keywords") {
      options.host.case_keywords = true;
    } else if (arg == L"--sample" && has_value) {
      options.sample = args[++i];
    } else if (arg == L"--register" && has_value) {
      options.libraries.emplace_back(args[++i]);
    } else if (arg == L"--click" && has_value) {
      options.click = args[++i];
    } else if (arg == L"--popup-screenshot" && has_value) {
      options.popup_screenshot = args[++i];
    } else if (arg == L"--screenshot" && has_value) {
      options.screenshot = args[++i];
    } else if (arg == L"--type" && has_value) {
      options.typed = args[++i];
    } else if (arg == L"--seconds" && has_value) {
      options.seconds = static_cast<DWORD>(std::wcstoul(args[++i], nullptr, 10));
    } else {
      std::fwprintf(stderr, L"QuorvaneSandbox: unknown argument %ls\n", arg.c_str());
    }
  }
  LocalFree(args);
  if (options.sample.empty()) {
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    options.sample = std::wstring(temporary) + L"QuorvaneSandbox";
  }
  return options;
}

void Click(sbx::Host& host, std::wstring_view path) {
  std::vector<std::wstring_view> captions;
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find(L'|', start), path.size());
    captions.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  sbx::ControlObject* control = host.FindControl(captions);
  if (!control || !host.Click(*control)) std::fwprintf(stderr, L"QuorvaneSandbox: %ls not clicked\n", std::wstring(path).c_str());
}

bool SaveScreenshot(HWND window, const std::wstring& path) {
  const bool saved = sbx::SaveWindowPng(window, path);
  if (!saved) std::fwprintf(stderr, L"QuorvaneSandbox: %ls not written\n", path.c_str());
  return saved;
}

// A modal box runs its own message loop inside the click: the popup is saved from a timer that
// fires in whichever loop runs.
struct PopupShot {
  HWND main = nullptr;
  std::wstring path;
  bool saved = false;
};
PopupShot* pending_shot = nullptr;

void CALLBACK TakePopupShot(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (!pending_shot) return;
  const HWND popup = GetLastActivePopup(pending_shot->main);
  pending_shot->saved = SaveScreenshot(popup, pending_shot->path);
  if (popup != pending_shot->main && !IsWindowEnabled(pending_shot->main)) PostMessageW(popup, WM_CLOSE, 0, 0);
}

// An unattended run cannot answer a message box an add-in shows while it connects (the Visual Basic
// 6.0 library's first start announces the interface style it sets): each is reported and closed,
// as by its close box, from a timer that fires in the box's own loop.
BOOL CALLBACK ReportStatic(HWND child, LPARAM) {
  wchar_t text[512] = {};
  if (GetClassNameW(child, text, 8) && lstrcmpiW(text, L"Static") == 0 && GetWindowTextW(child, text, 512) > 0) {
    // In UTF-8, which the terminal shows: the C library's wide output stops at the first Cyrillic letter.
    char bytes[1536] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    std::fprintf(stderr, "  %s\n", bytes);
  }
  return TRUE;
}

BOOL CALLBACK CloseMessageBox(HWND window, LPARAM) {
  wchar_t name[8] = {};
  if (IsWindowVisible(window) && GetClassNameW(window, name, 8) && lstrcmpW(name, L"#32770") == 0) {
    std::fwprintf(stderr, L"QuorvaneSandbox: a message box closed unanswered:\n");
    EnumChildWindows(window, ReportStatic, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

void CALLBACK CloseMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseMessageBox, 0);
}

void TypeBeforeLastLine(sbx::Host& host, std::wstring_view text) {
  sbx::CodeWindow* window = host.workspace().ActiveCodeWindow();
  if (!window) return;
  int last = window->text().CountOfLines();
  while (last > 1 && window->text().Line(last).find_first_not_of(L' ') == std::wstring::npos) --last;
  if (last < 2) return;
  SetFocus(window->hwnd());
  const int line = last - 1;
  const int end = static_cast<int>(window->text().Line(line).size()) + 1;
  window->SetSelection(0, {{line, end}, {line, end}});
  sbx::SendKey(VK_RETURN);
  for (size_t start = 0; start <= text.size();) {
    const size_t end_of_line = std::min(text.find(L"\\n", start), text.size());
    sbx::SendText(text.substr(start, end_of_line - start));
    if (end_of_line == text.size()) break;
    sbx::PumpFor(200);  // the add-in's tick sees the line before Enter
    sbx::SendKey(VK_RETURN);
    start = end_of_line + 2;
  }
  window->SetTopLine(0, window->TopLine(0) + 3);  // the lines below the caret in view
}

int Run(const Options& options) {
  for (const std::wstring& library : options.libraries) {
    const HRESULT hr = sbx::RegisterServer(library);
    if (FAILED(hr)) std::fwprintf(stderr, L"QuorvaneSandbox: %ls not registered (0x%08lX)\n", library.c_str(), hr);
  }
  sbx::Host host(options.host);
  sbx::OpenSampleProject(host, options.sample);
  const UINT_PTR unattended = options.screenshot.empty() ? 0 : SetTimer(nullptr, 0, 1000, CloseMessageBoxes);
  host.add_ins().StartUp();
  if (unattended) KillTimer(nullptr, unattended);
  for (const sbx::LoadFailure& failure : host.add_ins().failures()) {
    std::fwprintf(stderr, L"QuorvaneSandbox: %ls failed at %ls (0x%08lX)\n", failure.prog_id.c_str(),
                  failure.step.c_str(), failure.result);
  }
  for (const std::wstring& prog_id : host.add_ins().Connected()) {
    std::fwprintf(stderr, L"QuorvaneSandbox: %ls connected\n", prog_id.c_str());
  }
  if (!options.typed.empty()) {
    sbx::PumpFor(500);
    TypeBeforeLastLine(host, options.typed);
  }
  // After the typing, which would take the focus from a box the click opened.
  PopupShot shot{host.workspace().MainWindow(), options.popup_screenshot};
  if (!shot.path.empty()) {
    pending_shot = &shot;
    SetTimer(nullptr, 0, 1500, TakePopupShot);
  }
  if (!options.click.empty()) Click(host, options.click);
  if (options.screenshot.empty()) {
    sbx::RunMessageLoop();
    return 0;
  }
  sbx::PumpFor(options.seconds * 1000);
  const HWND main = host.workspace().MainWindow();
  const bool saved = SaveScreenshot(main, options.screenshot) && (shot.path.empty() || shot.saved);
  pending_shot = nullptr;
  return saved ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (FAILED(OleInitialize(nullptr))) return 1;
  int code = 1;
  try {
    code = Run(ParseOptions());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "QuorvaneSandbox: %s\n", error.what());
  }
  OleUninitialize();
  return code;
}
