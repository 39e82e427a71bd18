// Connecting, starting, stopping and unloading the add-in in the sandbox host.
#include <windows.h>

#include <utility>

#include "win/extensibility.h"
#include "tests/addin/addin_fixture.h"

namespace sbx::test {
namespace {

class LifecycleTest : public AddinTest {
 protected:
  // Not the first run: that one installs the host's visual style as well.
  void SetUp() override {
    AddinTest::SetUp();
    SetSetting(L"StyleIDE", L"True");
  }

  // The host's custom colours, which the palette's last rows take.
  static void SetHostColors(const wchar_t* value) {
    qv::SetRegValue(HKEY_CURRENT_USER, L"Software\\Microsoft\\Visual Basic\\6.0", L"CustomColors", value);
  }
  // The calls of a connection and a disconnection, with every setting at its default, that leave
  // nothing the host sees: the strip's fonts and surface, and unloading dialogs when none is open.
  // The rest shows: the hooked MDI client and its frame, the hooked main window.
  std::wstring Unseen() const { return Log({L"InitTabs", L"TerminateTabs", L"UnloadDialogs"}); }
  static constexpr wchar_t kStartCalls[] = L"InitTabs\n";
  static constexpr wchar_t kStopCalls[] = L"UnloadDialogs\nTerminateTabs\n";
  HWND Client() const { return FindWindowExW(MainWindow(), nullptr, L"MDIClient", nullptr); }
  // The MDI client's frame above and below its client area, its scroll bar left out: the tab strip
  // takes its room there.
  std::pair<long, long> ClientFrame() const {
    const HWND client = Client();
    RECT outer{}, inner{};
    GetWindowRect(client, &outer);
    GetClientRect(client, &inner);
    POINT origin{};
    ClientToScreen(client, &origin);
    const long bar = (GetWindowLongPtrW(client, GWL_STYLE) & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0;
    return {origin.y - outer.top, outer.bottom - origin.y - inner.bottom - bar};
  }
  // The line messages a wheel message to the main window gives a docked tool window: some while
  // the wheel hook is in.
  int WheelScrolls() {
    const std::wstring caption = L"Immediate " + std::to_wstring(++tool_windows_);
    const ToolWindowParts tool = host_->workspace().Tools().Add(caption, ToolPlace::kDocked);
    host_->SetActiveWindow(5, caption);
    SendMessageW(MainWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    host_->Pump(50);
    host_->FollowActiveWindow();
    return host_->workspace().Tools().VScrolls(tool.window, tool.bar, SB_LINEDOWN);
  }

 private:
  int tool_windows_ = 0;
};

TEST_P(LifecycleTest, ConnectionStartsTheMachineryAndDisconnectionTakesItAllDown) {
  StartHost();
  const HWND main = MainWindow();
  const LONG_PTR main_procedure = GetWindowLongPtrW(main, GWLP_WNDPROC);
  const std::pair<long, long> bare = ClientFrame();
  ASSERT_TRUE(Connect());
  Pin();
  EXPECT_EQ(kStartCalls, Unseen());
  EXPECT_TRUE(Subclassed(Client()));
  EXPECT_GT(ClientFrame().first, bare.first) << "the strip on top";
  EXPECT_EQ(bare.second, ClientFrame().second);
  EXPECT_GT(PumpTicks(6), 5);
  EXPECT_GT(WheelScrolls(), 0);
  const long ticks = Ticks();

  ASSERT_TRUE(host_->add_ins().DisconnectFromManager(library().prog_id));
  EXPECT_EQ(std::wstring(kStartCalls) + kStopCalls, Unseen());
  EXPECT_FALSE(Subclassed(Client()));
  EXPECT_EQ(bare, ClientFrame()) << "the strip's room goes with it";
  EXPECT_EQ(0, WheelScrolls());
  host_->Pump(100);
  EXPECT_EQ(ticks, Ticks());
  EXPECT_EQ(main_procedure, GetWindowLongPtrW(main, GWLP_WNDPROC));
  EXPECT_TRUE(boxes_.boxes().empty());
  EXPECT_EQ(L"", Failures());

  // Released and unused: the host frees the library, and what it left behind would crash the pump.
  Unpin();
  host_->add_ins().FreeUnusedLibraries();
  EXPECT_EQ(nullptr, Loaded());
  host_->Pump(200);
}

// Whatever the add-in held of the host goes with its disconnection: once the host has shut down,
// no object of it is left alive.
TEST_P(LifecycleTest, AfterDisconnectionTheAddinHoldsNoReferenceIntoTheHost) {
  StartHost();
  ComponentObject& module = host_->AddComponent(host_->AddProject(L"VBAProject"), kStdModule, L"Module1",
                                                L"Sub A()\r\nx = 1\r\nEnd Sub");
  host_->Open(module);
  ASSERT_TRUE(Connect());
  Pin();
  ASSERT_GT(PumpTicks(6), 5) << "the main loop has run";
  ASSERT_TRUE(host_->add_ins().DisconnectFromManager(library().prog_id));
  EXPECT_EQ(L"", Failures());
  host_->ShutDown(0);
  host_.reset();
  EXPECT_EQ(0, LiveModelObjects());
}

TEST_P(LifecycleTest, ASecondConnectionInTheSameProcessStartsAgain) {
  StartHost();
  const std::pair<long, long> bare = ClientFrame();
  ASSERT_TRUE(Connect());
  Pin();
  ASSERT_TRUE(host_->add_ins().DisconnectFromManager(library().prog_id));
  ASSERT_TRUE(host_->add_ins().ConnectFromManager(library().prog_id));
  EXPECT_EQ(std::wstring(kStartCalls) + kStopCalls + kStartCalls, Unseen());
  EXPECT_TRUE(Subclassed(Client()));
  EXPECT_GT(ClientFrame().first, bare.first) << "the strip on top again";
  EXPECT_GT(WheelScrolls(), 0);
  EXPECT_GT(PumpTicks(6), 5);
}

TEST_P(LifecycleTest, WheelAndTabStripFollowTheirSettings) {
  SetSetting(L"Scrolling", L"False");
  SetSetting(L"MDITabsTop", L"0");
  StartHost();
  const std::pair<long, long> bare = ClientFrame();
  ASSERT_TRUE(Connect());
  EXPECT_EQ(kStartCalls, Unseen());
  EXPECT_TRUE(Subclassed(Client()));
  EXPECT_EQ(bare.first, ClientFrame().first);
  EXPECT_GT(ClientFrame().second, bare.second) << "the strip at the bottom";
  EXPECT_EQ(0, WheelScrolls());
}

TEST_P(LifecycleTest, TheSingleDocumentEditorGetsNoWheelHook) {
  if (library().personality != Personality::kVb6) GTEST_SKIP() << "only the Visual Basic 6.0 IDE has SDI mode";
  StartHost({.sdi = true});
  ASSERT_TRUE(Connect());
  EXPECT_EQ(0, WheelScrolls());
}

TEST_P(LifecycleTest, WithoutTheTabStripNothingOfItIsCalled) {
  SetSetting(L"MDITabs", L"False");
  StartHost();
  const std::pair<long, long> bare = ClientFrame();
  ASSERT_TRUE(Connect());
  Pin();
  EXPECT_EQ(bare, ClientFrame());
  EXPECT_FALSE(Subclassed(Client()));
  host_->add_ins().DisconnectFromManager(library().prog_id);
  EXPECT_EQ(std::wstring::npos, Unseen().find(L"Tabs"));
}

TEST_P(LifecycleTest, AnExternalStartShowsOnlyTheOptions) {
  StartHost();
  ASSERT_TRUE(Connect(ext_cm_External));
  Pin();
  EXPECT_NE(nullptr, FindWindowW(L"#32770", L"Настройки Quorvane")) << "the options dialog is open";
  EXPECT_EQ(L"", Unseen()) << "no tab strip";
  EXPECT_FALSE(Subclassed(Client()));
  EXPECT_FALSE(Subclassed(MainWindow())) << "no wheel hook";
  host_->Pump(100);
  EXPECT_EQ(0, Ticks());
  // The options window goes with the connection, so that the library can be freed.
  ASSERT_TRUE(host_->add_ins().DisconnectFromManager(library().prog_id));
  EXPECT_EQ(nullptr, FindWindowW(L"#32770", L"Настройки Quorvane"));
  Unpin();
  host_->add_ins().FreeUnusedLibraries();
  EXPECT_EQ(nullptr, Loaded());
}

// Rows 7 and 8 of the palette come from the CustomColors setting at start, cell by cell; a part
// that is no number leaves its cell white.
TEST_P(LifecycleTest, ThePalettesCustomRowsComeFromTheSettingAtStart) {
  SetHostColors(L"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 x16");
  StartHost();
  ASSERT_TRUE(Connect());
  using ColorFn = std::int32_t(WINAPI*)(long, long);
  const auto color = reinterpret_cast<ColorFn>(reinterpret_cast<void*>(GetProcAddress(Loaded(), "QvPaletteColor")));
  ASSERT_NE(nullptr, color);
  for (long k = 0; k < 15; ++k) EXPECT_EQ(k + 1, color(k % 8 + 1, 7 + k / 8)) << "part " << k;
  EXPECT_EQ(0xFFFFFF, color(8, 8)) << "a part that is no number";
  EXPECT_EQ(0xC0C0C0, color(1, 3)) << "the fixed rows stay";
}

TEST_P(LifecycleTest, AFailingStepIsReportedAndTheStartGoesOn) {
  SetHostColors(L"255 0");  // too short: the remaining cells stay white
  StartHost();
  host_->InjectFault(L"Window", L"SetFocus");
  ASSERT_TRUE(Connect());
  ASSERT_EQ(1u, boxes_.boxes().size());
  EXPECT_EQ(library().title, boxes_.boxes()[0].caption);
  EXPECT_NE(std::wstring::npos, boxes_.boxes()[0].text.find(L"\r\nв строке 14")) << boxes_.boxes()[0].text;
  EXPECT_GT(PumpTicks(6), 5);
  // The main window is still found, and passed on.
  EXPECT_GT(WheelScrolls(), 0);
  EXPECT_TRUE(Subclassed(Client())) << "the strip is on";
}

TEST_P(LifecycleTest, AFailedVersionReadStillLoadsTheSettingsFromTheAddinsKey) {
  if (library().personality != Personality::kVba) GTEST_SKIP() << "only the VBA editor's version is read";
  SetSetting(L"Scrolling", L"False");
  StartHost();
  host_->InjectFault(L"VBE", L"Version");
  ASSERT_TRUE(Connect());
  ASSERT_EQ(1u, boxes_.boxes().size());
  EXPECT_NE(std::wstring::npos, boxes_.boxes()[0].text.find(L"\r\nв строке 5")) << boxes_.boxes()[0].text;
  EXPECT_EQ(0, WheelScrolls()) << "Scrolling is off under the add-in's key";
}

TEST_P(LifecycleTest, AnApplicationThatIsNotTheEditorIsLeftAlone) {
  StartHost();
  const HMODULE module = LoadLibraryW(path().c_str());
  ASSERT_NE(nullptr, module);
  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  const auto get_class_object =
      reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  CLSID clsid{};
  ASSERT_EQ(S_OK, CLSIDFromString(library().clsid, &clsid));
  IClassFactory* factory = nullptr;
  ASSERT_EQ(S_OK, get_class_object(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
  IDTExtensibility2* connect = nullptr;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDTExtensibility2, reinterpret_cast<void**>(&connect)));
  factory->Release();

  const Variant bars = Get(vbe(), L"CommandBars");
  EXPECT_EQ(S_OK, connect->OnConnection(bars.Object(), ext_cm_Startup, nullptr, nullptr));
  host_->Pump(100);
  EXPECT_EQ(L"", Unseen());
  EXPECT_FALSE(Subclassed(Client()));
  EXPECT_EQ(0, Ticks());
  EXPECT_EQ(0, WheelScrolls());
  EXPECT_EQ(S_OK, connect->OnDisconnection(ext_dm_UserClosed, nullptr));
  connect->Release();
  FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(Libraries, LifecycleTest, ::testing::ValuesIn(BuiltLibraries()), LibraryName);

}  // namespace
}  // namespace sbx::test
