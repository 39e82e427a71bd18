// Loading the test add-in from its registration, in both personalities and the build's bitness.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "win/com_registration.h"
#include "win/files.h"
#include "sandbox/testing/message_box_watcher.h"
#include "tests/sandbox/host/host_fixture.h"
#include "tests/sandbox/test_addin/probe_addin.h"

namespace sbx::test {
namespace {

// The probe writes here; the mapping outlives the probe's library.
class ProbeReportView {
 public:
  ProbeReportView()
      : mapping_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeReport),
                                    ProbeReportName().c_str())),
        report_(static_cast<ProbeReport*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(ProbeReport)))) {
    std::memset(report_, 0, sizeof(ProbeReport));
  }
  ProbeReportView(const ProbeReportView&) = delete;
  ProbeReportView& operator=(const ProbeReportView&) = delete;
  ~ProbeReportView() {
    UnmapViewOfFile(report_);
    CloseHandle(mapping_);
  }
  ProbeReport* operator->() const { return report_; }

 private:
  HANDLE mapping_;
  ProbeReport* report_;
};

class LoadingTest : public HostTest, public ::testing::WithParamInterface<Personality> {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(S_OK, RegisterServer(probe_));
  }
  void TearDown() override {
    HostTest::TearDown();
    RegisterServer(probe_, true);
  }

  Host& StartHost() { return Start({.personality = GetParam()}); }
  bool ProbeLoaded() const { return GetModuleHandleW(L"sandbox_probe.dll") != nullptr; }
  ControlObject* ProbeButton() const { return host_->FindControl({L"Add-Ins", kProbeButtonCaption}); }

  const std::wstring probe_ = qv::AppPath() + L"sandbox_probe.dll";
  // Registration writes these; the fixture of HostTest keeps the hosts' keys.
  RegistryFixture classes_{{L"Software\\Classes\\" + std::wstring(kProbeProgId),
                            L"Software\\Classes\\CLSID\\" + qv::ClsidText(CLSID_SandboxProbe)}};
  ProbeReportView report_;
};

TEST_P(LoadingTest, StartUpConnectsByRegistrationAndShutdownUnloads) {
  Host& host = StartHost();
  host.add_ins().StartUp();
  EXPECT_TRUE(host.add_ins().failures().empty());
  EXPECT_EQ(1, report_->connections);
  EXPECT_EQ(ext_cm_Startup, report_->connect_mode);
  EXPECT_EQ(1, report_->startup_completes);
  EXPECT_TRUE(report_->application_is_vbe);
  EXPECT_EQ(S_OK, report_->failure);
  ASSERT_NE(nullptr, ProbeButton()) << host.BarsTree();

  EXPECT_TRUE(host.Click(*ProbeButton()));
  EXPECT_EQ(1, report_->clicks);
  EXPECT_TRUE(report_->click_passed_button);

  host.ShutDown();
  EXPECT_EQ(1, report_->begin_shutdowns);
  EXPECT_EQ(ext_dm_HostShutdown, report_->disconnect_mode);
  EXPECT_EQ(0, host.live().sinks);
  EXPECT_EQ(0, host.live().event_objects);
  EXPECT_EQ(0, host.live().controls);
  EXPECT_FALSE(ProbeLoaded());
}

TEST_P(LoadingTest, ConnectModeIsPassedThrough) {
  Host& host = StartHost();
  ASSERT_TRUE(host.add_ins().Connect(kProbeProgId, ext_cm_External));
  EXPECT_EQ(ext_cm_External, report_->connect_mode);
  EXPECT_EQ(0, report_->startup_completes);
  host.ShutDown(0);
  // A command-line start takes the add-ins whose LoadBehavior has bit 2.
  const DWORD command_line = 4;
  RegSetKeyValueW(HKEY_CURRENT_USER, (host.add_ins().AddinsKey() + L"\\" + kProbeProgId).c_str(), L"LoadBehavior",
                  REG_DWORD, &command_line, sizeof command_line);
  StartHost().add_ins().StartFromCommandLine();
  EXPECT_EQ(ext_cm_CommandLine, report_->connect_mode);
}

TEST_P(LoadingTest, TheAddInManagerConnectsAndDisconnectsAndTheLibraryGoes) {
  Host& host = StartHost();
  ASSERT_TRUE(host.add_ins().ConnectFromManager(kProbeProgId));
  EXPECT_EQ(ext_cm_AfterStartup, report_->connect_mode);
  EXPECT_EQ(1, report_->add_ins_updates);
  EXPECT_TRUE(ProbeLoaded());
  ASSERT_TRUE(host.add_ins().DisconnectFromManager(kProbeProgId));
  EXPECT_EQ(ext_dm_UserClosed, report_->disconnect_mode);
  EXPECT_EQ(nullptr, ProbeButton());
  EXPECT_EQ(0, host.live().sinks);
  EXPECT_FALSE(ProbeLoaded());
}

TEST_P(LoadingTest, AFailingAddInIsRecordedAndLoadingGoesOn) {
  Host& host = StartHost();
  const std::wstring key = host.add_ins().AddinsKey();
  const DWORD load = 3;
  RegSetKeyValueW(HKEY_CURRENT_USER, (key + L"\\Missing.Connect").c_str(), L"LoadBehavior", REG_DWORD, &load,
                  sizeof load);
  const DWORD manual = 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, (key + L"\\Manual.Connect").c_str(), L"LoadBehavior", REG_DWORD, &manual,
                  sizeof manual);
  host.add_ins().StartUp();
  ASSERT_EQ(1u, host.add_ins().failures().size());
  EXPECT_EQ(L"Missing.Connect", host.add_ins().failures()[0].prog_id);
  EXPECT_EQ(L"class", host.add_ins().failures()[0].step);
  EXPECT_TRUE(host.add_ins().IsConnected(kProbeProgId));
  EXPECT_FALSE(host.add_ins().IsConnected(L"Manual.Connect"));
}

TEST_P(LoadingTest, AMessageBoxRaisedByAClickIsRecordedAndAnswered) {
  Host& host = StartHost();
  ASSERT_TRUE(host.add_ins().Connect(kProbeProgId, ext_cm_External));
  wcscpy_s(report_->click_message, L"Удалить строку?");
  MessageBoxWatcher watcher;
  watcher.Answer(IDNO);
  host.Click(*ProbeButton());
  EXPECT_EQ(IDNO, report_->message_answer);
  ASSERT_EQ(1u, watcher.boxes().size());
  EXPECT_EQ(L"Sandbox Probe", watcher.boxes()[0].caption);
  EXPECT_EQ(L"Удалить строку?", watcher.boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), watcher.boxes()[0].style);
}

INSTANTIATE_TEST_SUITE_P(BothHosts, LoadingTest, ::testing::Values(Personality::kVba, Personality::kVb6),
                         [](const auto& test) { return test.param == Personality::kVba ? "Vba" : "Vb6"; });

TEST(AddinsKeyTest, AVbaHostReadsTheKeyOfItsBitness) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  {
    Host vba;
    EXPECT_EQ(sizeof(void*) == 8 ? L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64"
                                 : L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins",
              vba.add_ins().AddinsKey());
  }
  OleUninitialize();
}

}  // namespace
}  // namespace sbx::test
