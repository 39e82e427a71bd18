#include "tests/addin/recording_parts.h"

namespace qv::test {

void RecordingParts::Record(const wchar_t* name) { log_.append(name).append(L"\n"); }

void RecordingParts::Record(const wchar_t* name, long argument) {
  log_.append(name).append(L"(").append(std::to_wstring(argument)).append(L")\n");
}

void RecordingParts::Record(const wchar_t* name, HWND window) {
  Record(name, static_cast<long>(reinterpret_cast<INT_PTR>(window)));
}

bool RecordingParts::HookCodePane(HWND window) {
  Record(L"HookCodePane", window);
  return ProductParts::HookCodePane(window);
}
void RecordingParts::UnhookCodePane(HWND window) {
  Record(L"UnhookCodePane", window);
  ProductParts::UnhookCodePane(window);
}
void RecordingParts::InitTabs() {
  Record(L"InitTabs");
  ProductParts::InitTabs();
}
void RecordingParts::SetTabPosition(long position) {
  Record(L"SetTabPosition", position);
  ProductParts::SetTabPosition(position);
}
void RecordingParts::AttachTabs(HWND main) {
  Record(L"AttachTabs", main);
  ProductParts::AttachTabs(main);
}
void RecordingParts::DetachTabs() {
  Record(L"DetachTabs");
  ProductParts::DetachTabs();
}
void RecordingParts::TerminateTabs() {
  Record(L"TerminateTabs");
  ProductParts::TerminateTabs();
}
void RecordingParts::ProcessIncludes() {
  Record(L"ProcessIncludes");
  ProductParts::ProcessIncludes();
}
void RecordingParts::ClearIncludes() {
  Record(L"ClearIncludes");
  ProductParts::ClearIncludes();
}

void RecordingParts::SetIDEStyle(long style) { Record(L"SetIDEStyle", style); }
// The modeless dialog of an external start waits for no one: it opens.
void RecordingParts::ShowOptions(bool modal) {
  Record(modal ? L"ShowOptions(modal)" : L"ShowOptions");
  if (!modal) ProductParts::ShowOptions(false);
}
void RecordingParts::ShowAbout() { Record(L"ShowAbout"); }
void RecordingParts::ShowDeclarations() { Record(L"ShowDeclarations"); }
void RecordingParts::ShowProcs() { Record(L"ShowProcs"); }
void RecordingParts::UnloadDialogs() {
  Record(L"UnloadDialogs");
  ProductParts::UnloadDialogs();
}
void RecordingParts::BackupProject() { Record(L"BackupProject"); }

void RecordingParts::ShellOpen(HWND window, const std::wstring& file, const std::wstring& directory) {
  Record(L"ShellExecute", window);
  Record((L"  " + file).c_str());
  Record((L"  " + directory).c_str());
}

}  // namespace qv::test
