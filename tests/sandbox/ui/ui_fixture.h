#pragma once
// One workspace of the sandbox for all tests of a suite, with its own editor settings key. Under Wine
// without a window manager, hiding a top-level window with a caption waits two seconds for the
// manager, so the frame lives as long as the suite; each test closes its code windows, puts back
// the switches and settings it changed, and owns its modules.
#include <windows.h>

#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>
#include <string_view>

#include "sandbox/model/module_text.h"
#include "sandbox/ui/message_loop.h"
#include "sandbox/ui/workspace.h"
#include "tests/win/win_test_support.h"

namespace sbx::test {

template <bool kSdi>
class WorkspaceFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    settings_ = std::make_unique<qv::test::ScratchKey>();
    workspace_ = Workspace::Create({kSdi, L"Microsoft Visual Basic - Project1", settings_->path()});
  }
  static void TearDownTestSuite() {
    workspace_.reset();
    settings_.reset();
  }

  void TearDown() override {
    workspace_->on_code_window_destroyed = nullptr;
    workspace_->complete_procedures = true;
    workspace_->case_keywords = false;
    workspace_->direct_activation = false;
    for (CodeWindow* window : workspace_->CodeWindows()) {
      kSdi ? DestroyWindow(window->hwnd())
           : SendMessageW(workspace_->MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window->hwnd()), 0);
    }
    for (const wchar_t* name : {L"FontFace", L"FontHeight", L"FontCharset", L"IndicatorBar"}) {
      RegDeleteValueW(settings_->handle(), name);
    }
    workspace_->Popups().ShowNameList(false);
    workspace_->Popups().CloseColourPopup();
  }

  // A module that outlives its windows, as the host's modules do.
  ModuleText& Module(std::wstring_view text) { return modules_.emplace_back(text); }

  // A code window over a new module, active and focused.
  CodeWindow& OpenWindow(std::wstring_view text, const std::wstring& component = L"Module1") {
    CodeWindow& window = workspace_->OpenCodeWindow(Module(text), L"Project1 - " + component + L" (Code)", true);
    PumpFor(20);
    return window;
  }

  void SetSetting(const wchar_t* name, DWORD value) {
    RegSetValueExW(settings_->handle(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }

  static inline std::unique_ptr<qv::test::ScratchKey> settings_;
  static inline std::unique_ptr<Workspace> workspace_;
  std::list<ModuleText> modules_;
};

using MdiTest = WorkspaceFixture<false>;
using SdiTest = WorkspaceFixture<true>;

// B and Hb of the drawing contract: where the client area starts inside the window.
inline POINT ClientOffset(HWND window) {
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  GetWindowInfo(window, &info);
  return {info.rcClient.left - info.rcWindow.left, info.rcClient.top - info.rcWindow.top};
}

// The first visible scroll bar of a code window of that direction.
inline HWND Bar(HWND window, bool vertical) {
  for (HWND bar = nullptr; (bar = FindWindowExA(window, bar, "ScrollBar", nullptr));) {
    const bool is_vertical = (GetWindowLongPtrW(bar, GWL_STYLE) & SBS_VERT) != 0;
    if (IsWindowVisible(bar) && is_vertical == vertical) return bar;
  }
  return nullptr;
}

// The lines of a module numbered "line 1" .. "line n".
inline std::wstring NumberedLines(int count) {
  std::wstring text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? L"\r\n" : L"") + std::wstring(L"line ") + std::to_wstring(i);
  return text;
}

}  // namespace sbx::test
