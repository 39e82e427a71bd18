// What a paint of the tab strip costs: the time and the GDI calls of one paint of the non-client area
// with 50 document windows open, composed off screen and shown with one blit. The calls are counted
// through this program's import table, which the strip's code, linked in, calls through. One
// name=value line per figure.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "editor/tab_strip.h"
#include "tests/editor/tab_strip_view.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTabs = 50;
constexpr int kPaints = 1000;

long g_gdi_calls = 0;
long g_blits = 0;

// The import table entry of a gdi32 function in this program.
void** ImportSlot(const char* function) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); library->Name;
       ++library) {
    if (lstrcmpiA(reinterpret_cast<char*>(base + library->Name), "gdi32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(name->Name), function) == 0) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

template <auto Function>
struct Counted;
template <class R, class... A, R(WINAPI* Function)(A...)>
struct Counted<Function> {
  static inline R(WINAPI* original)(A...) = nullptr;
  static R WINAPI Call(A... args) {
    ++g_gdi_calls;
    if constexpr (std::is_same_v<decltype(Function), decltype(&BitBlt)>) g_blits += Function == &BitBlt;
    return original(args...);
  }
  static void Install(const char* name) {
    void** slot = ImportSlot(name);
    if (!slot) return;
    original = reinterpret_cast<R(WINAPI*)(A...)>(*slot);
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = reinterpret_cast<void*>(&Call);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
  }
};

void CountGdiCalls() {
  Counted<&CreatePen>::Install("CreatePen");
  Counted<&CreateSolidBrush>::Install("CreateSolidBrush");
  Counted<&SelectObject>::Install("SelectObject");
  Counted<&DeleteObject>::Install("DeleteObject");
  Counted<&Polyline>::Install("Polyline");
  Counted<&SetTextColor>::Install("SetTextColor");
  Counted<&SetBkMode>::Install("SetBkMode");
  Counted<&BitBlt>::Install("BitBlt");
}

LRESULT CALLBACK DocumentProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefMDIChildProcW(window, message, wparam, lparam);
}

}  // namespace

int main() {
  WNDCLASSW document{};
  document.lpfnWndProc = DocumentProcedure;
  document.hInstance = GetModuleHandleW(nullptr);
  document.lpszClassName = L"VbaWindow";
  RegisterClassW(&document);
  const HWND frame = CreateWindowExW(0, L"STATIC", L"Tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                     1000, 600, nullptr, nullptr, nullptr, nullptr);
  CLIENTCREATESTRUCT create{};
  const HWND client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 1000, 560,
                                      frame, nullptr, nullptr, &create);
  qv::TabStrip strip;
  strip.Init();
  strip.Attach(frame);
  for (int i = 1; i <= kTabs; ++i) {
    CreateWindowExW(WS_EX_MDICHILD, L"VbaWindow", (L"VBAProject - Module" + std::to_wstring(i) + L" (Code)").c_str(),
                    WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, client, nullptr, nullptr, nullptr);
  }
  strip.Refresh();
  CountGdiCalls();
  const Clock::time_point start = Clock::now();
  for (int paint = 0; paint < kPaints; ++paint) RedrawWindow(client, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  const double micro = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kPaints;
  std::printf("tabs=%zu\n", qv::TabStripView(strip).Tabs().size());
  std::printf("paint_us=%.2f\n", micro);
  std::printf("gdi_calls_per_paint=%.2f\n", static_cast<double>(g_gdi_calls) / kPaints);
  std::printf("blits_per_paint=%.2f\n", static_cast<double>(g_blits) / kPaints);
  strip.Terminate();
  DestroyWindow(frame);
  return qv::TabStripView(strip).Tabs().size() == kTabs ? 0 : 1;
}
