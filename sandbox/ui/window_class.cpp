#include "sandbox/ui/window_class.h"

namespace sbx {

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style, const wchar_t* cursor, HBRUSH background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &window_class)) return;
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, cursor);
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

}  // namespace sbx
