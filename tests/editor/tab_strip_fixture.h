#pragma once
// A frame of our own with an MDI client and document windows of two classes, the strip attached as
// the add-in's start attaches it; and the cursor put where a test points in the client's window
// coordinates.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addin/session.h"
#include "editor/tab_strip.h"
#include "tests/editor/tab_strip_view.h"
#include "win/gdi_owners.h"

namespace sbx::test {

inline LRESULT CALLBACK DocumentProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefMDIChildProcW(window, message, wparam, lparam);
}

class TabStripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* name : {L"VbaWindow", L"DesignerWindow", L"toolwindow"}) {
      WNDCLASSW document{};
      document.lpfnWndProc = DocumentProcedure;
      document.hInstance = GetModuleHandleW(nullptr);
      document.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
      document.lpszClassName = name;
      RegisterClassW(&document);
    }
    frame_ = CreateWindowExW(0, L"STATIC", L"Tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 700, 500,
                             nullptr, nullptr, nullptr, nullptr);
    CLIENTCREATESTRUCT create{};
    create.idFirstChild = 100;
    client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                              600, 400, frame_, nullptr, nullptr, &create);
    qv::CurrentSession().loop.MDIActivated = false;
    strip_.Init();
    strip_.SetPosition(0);
  }
  void TearDown() override {
    strip_.Terminate();
    DestroyWindow(frame_);
  }

  void Attach() {
    strip_.Attach(frame_);
    Settle();
  }
  HWND Open(const wchar_t* title, const wchar_t* class_name = L"VbaWindow") {
    const HWND window = CreateWindowExW(WS_EX_MDICHILD, class_name, title, WS_VISIBLE | WS_OVERLAPPEDWINDOW, 10, 10,
                                        200, 150, client_, nullptr, nullptr, nullptr);
    // The new child is active now; the client was not told, the timer's next tick sees it.
    strip_.FollowActive();
    Settle();
    return window;
  }
  // Posted messages dispatched and the strip painted.
  static void Settle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  void Paint() {
    strip_.Refresh();
    RedrawWindow(client_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Settle();
  }
  qv::TabStripView Strip() const { return qv::TabStripView(strip_); }
  HWND Active() const { return reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0)); }
  std::vector<std::intptr_t> Order(std::initializer_list<HWND> windows) const {
    std::vector<std::intptr_t> order;
    for (const HWND window : windows) order.push_back(reinterpret_cast<std::intptr_t>(window));
    return order;
  }

  // The client's client area in its window coordinates.
  qv::PixelRect ClientInWindow() const {
    RECT window{}, client{};
    GetWindowRect(client_, &window);
    GetClientRect(client_, &client);
    MapWindowPoints(client_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    return {client.left, client.top, client.right, client.bottom};
  }
  COLORREF Pixel(int x, int y) const { return GetPixel(qv::WholeWindowDc(client_).get(), x, y); }

  // The mouse at a point of the strip, in the client's window coordinates.
  void PointAt(int x, int y) const {
    RECT window{};
    GetWindowRect(client_, &window);
    SetCursorPos(window.left + x, window.top + y);
  }
  void StripMouse(UINT message) const { SendMessageW(client_, WM_SETCURSOR, reinterpret_cast<WPARAM>(client_), MAKELPARAM(HTNOWHERE, message)); }
  void CapturedMouse(UINT message) const { SendMessageW(client_, message, 0, 0); }
  static POINT Middle(const qv::PixelRect& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }
  void PointAtTab(int tab) const {
    const POINT middle = Middle(Strip().TabRects()[static_cast<std::size_t>(tab)]);
    PointAt(middle.x - Strip().ScrollOffset(), middle.y);
  }
  qv::StripGeometry Geometry() const { return {600, 400, false}; }
  void PointAtButton(qv::StripButton button) const {
    const POINT middle = Middle(Geometry().Button(button));
    PointAt(middle.x, middle.y);
  }

  qv::SessionOwner session_;  // what a connection's parts would own
  HWND frame_ = nullptr;
  HWND client_ = nullptr;
  qv::TabStrip strip_;
};

}  // namespace sbx::test
