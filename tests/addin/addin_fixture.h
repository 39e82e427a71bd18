#pragma once
// The add-in libraries in the sandbox host: each test registers one of them, connects it and reads
// what it did. The test libraries (tests/addin/probe_exports.cpp) drive recording parts, which log
// the calls the root makes into the parts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "win/files.h"
#include "win/registry.h"
#include "sandbox/testing/message_box_watcher.h"
#include "tests/sandbox/host/host_fixture.h"

namespace sbx::test {

struct Library {
  const wchar_t* file;
  const wchar_t* prog_id;
  const wchar_t* clsid;
  Personality personality;
  const wchar_t* settings_key;
  const wchar_t* title;
};

inline const Library kOffice{L"QuorvaneOffice", L"QuorvaneOffice.Connect",
                             L"{1910B8DC-CA40-4B03-AF03-F82C37C81A24}", Personality::kVba,
                             L"Software\\Velmora\\Quorvane\\VBA", L"QuorvaneOffice"};
inline const Library kStudio{L"QuorvaneStudio", L"QuorvaneStudio.Connect",
                             L"{6F9E01BA-103E-47FF-87CE-841EC246220B}", Personality::kVb6,
                             L"Software\\Velmora\\Quorvane\\VB", L"QuorvaneStudio"};

// The libraries this bitness builds: the Visual Basic 6.0 IDE is 32-bit only.
inline std::vector<Library> BuiltLibraries() {
  if (sizeof(void*) == 8) return {kOffice};
  return {kOffice, kStudio};
}

// For suites whose expectations are the same for both libraries: QuorvaneOffice alone, which both
// bitnesses build.
inline std::vector<Library> OneLibrary() { return {kOffice}; }

inline void PrintTo(const Library& library, std::ostream* out) {
  *out << (library.personality == Personality::kVba ? "QuorvaneOffice" : "QuorvaneStudio");
}

inline std::string LibraryName(const ::testing::TestParamInfo<Library>& info) {
  return info.param.personality == Personality::kVba ? "Office" : "Studio";
}

class AddinTest : public HostTest, public ::testing::WithParamInterface<Library> {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(S_OK, RegisterServer(path()));
  }
  void TearDown() override {
    HostTest::TearDown();
    Unpin();
    RegisterServer(path(), true);
  }

  const Library& library() const { return GetParam(); }
  // The test library, registered under the library's own class and ProgID.
  virtual std::wstring file() const { return library().file + std::wstring(L"Recording.dll"); }
  std::wstring path() const { return qv::AppPath() + file(); }
  HMODULE Loaded() const { return GetModuleHandleW(file().c_str()); }
  // Keeps the library loaded across a disconnection, as another client of it would.
  void Pin() {
    pinned_ = LoadLibraryW(path().c_str());
    ASSERT_NE(nullptr, pinned_);
  }
  void Unpin() {
    if (pinned_) FreeLibrary(pinned_);
    pinned_ = nullptr;
  }

  Host& StartHost(HostOptions options = {}) {
    options.personality = library().personality;
    return Start(std::move(options));
  }
  bool Connect(ext_ConnectMode mode = ext_cm_Startup) { return host_->add_ins().Connect(library().prog_id, mode); }
  void SetSetting(const wchar_t* name, const wchar_t* value) const {
    qv::SetRegValue(HKEY_CURRENT_USER, library().settings_key, name, value);
  }

  // The text a test export of the loaded library gives.
  std::wstring ExportedText(const char* name) const {
    using TextFn = const wchar_t*(WINAPI*)();
    const auto text = reinterpret_cast<TextFn>(reinterpret_cast<void*>(GetProcAddress(Loaded(), name)));
    return text ? text() : L"(not loaded)";
  }
  // The calls into the parts, one per line.
  std::wstring Log() const { return ExportedText("QvPartsLog"); }
  // The calls whose line holds one of `names`, one per line.
  std::wstring Log(std::initializer_list<std::wstring_view> names) const {
    const std::wstring log = Log();
    std::wstring calls;
    for (size_t at = 0; at < log.size();) {
      const size_t end = std::min(log.find(L'\n', at), log.size());
      const std::wstring_view line = std::wstring_view(log).substr(at, end - at);
      if (std::ranges::any_of(names, [&](std::wstring_view name) { return line.find(name) != line.npos; }))
        calls.append(line).append(L"\n");
      at = end + 1;
    }
    return calls;
  }
  std::wstring Log(std::wstring_view name) const { return Log({name}); }
  // The failures the add-in caught and passed over, one per line.
  std::wstring Failures() const { return ExportedText("QvFailureLog"); }
  // Every tick asks the host for its active code pane.
  long Ticks() const { return host_->Calls(L"VBE", L"ActiveCodePane"); }
  // Pumps until the main loop has ticked `count` more times, for five seconds at most (x86 under a
  // loaded emulator ticks slowly); gives the ticks seen.
  long PumpTicks(long count) {
    const long start = Ticks();
    for (int i = 0; i < 100 && Ticks() - start < count; ++i) host_->Pump(50);
    return Ticks() - start;
  }
  // A window as the log writes it.
  static std::wstring Handle(HWND window) {
    return std::to_wstring(static_cast<long>(reinterpret_cast<INT_PTR>(window)));
  }
  HWND MainWindow() const { return host_->workspace().MainWindow(); }
  // Whether a hook sits ahead of the window's own procedure: the host sees the procedure of a
  // subclassed window replaced by the system's subclass chain, and given back once the last hook is off.
  static bool Subclassed(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC) != static_cast<LONG_PTR>(GetClassLongPtrW(window, GCLP_WNDPROC));
  }
  // The middle of a control where the host shows it: on its band of bars or in an open drop-down.
  POINT OnScreen(std::initializer_list<std::wstring_view> path) const {
    ControlObject* control = host_->FindControl(path);
    const std::optional<RECT> rect = control ? host_->workspace().BarBand().ScreenRect(control) : std::nullopt;
    EXPECT_TRUE(rect) << "not shown";
    const RECT shown = rect.value_or(RECT{});
    return {(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2};
  }

  RegistryFixture classes_{{L"Software\\Classes\\" + std::wstring(GetParam().prog_id),
                            L"Software\\Classes\\CLSID\\" + std::wstring(GetParam().clsid)}};
  MessageBoxWatcher boxes_;
  HMODULE pinned_ = nullptr;
};

}  // namespace sbx::test
