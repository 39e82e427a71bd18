#pragma once
// The test add-in's identity and what it reports. It writes its report into a named file mapping
// that the test creates, so the report outlives the library's unloading.
#include <windows.h>

#include <string>

// {2FA1F381-9746-48EE-8653-E972B130B5B2}
inline constexpr CLSID CLSID_SandboxProbe = {
    0x2fa1f381, 0x9746, 0x48ee, {0x86, 0x53, 0xe9, 0x72, 0xb1, 0x30, 0xb5, 0xb2}};
inline constexpr wchar_t kProbeProgId[] = L"SandboxProbe.Connect";
inline constexpr wchar_t kProbeButtonCaption[] = L"Sandbox Probe";

struct ProbeReport {
  LONG connections;
  LONG connect_mode;
  LONG application_is_vbe;  // GetTypeInfo named the root "VBE"
  LONG disconnections;
  LONG disconnect_mode;
  LONG startup_completes;
  LONG add_ins_updates;
  LONG begin_shutdowns;
  LONG clicks;
  LONG click_passed_button;    // the click's control argument was the probe's own button
  LONG message_answer;         // what the message box of the last click was answered
  HRESULT failure;             // the first failing step while connecting
  wchar_t click_message[128];  // when not empty, a click shows it in a message box
};

// The mapping's name for this process.
inline std::wstring ProbeReportName() { return L"SandboxProbeReport." + std::to_wstring(GetCurrentProcessId()); }
