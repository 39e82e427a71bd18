// How long the host waits in OnConnection: the add-in connected to a fresh sandbox host, several
// times, the median printed as connect_ms. connect_loaded_ms is the same while the library stays
// loaded between the connections, as when the host connects it again: the connection without the
// loader's share.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

#include "win/files.h"
#include "sandbox/host/host.h"
#include "sandbox/testing/registry_fixture.h"

namespace {

// Nothing when a connection fails.
std::optional<double> MedianConnectMs() {
  std::vector<double> times;
  for (int run = 0; run < 15; ++run) {
    sbx::Host host;
    const auto start = std::chrono::steady_clock::now();
    const bool connected = host.add_ins().Connect(L"QuorvaneOffice.Connect", ext_cm_Startup);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    if (!connected) return std::nullopt;
    host.ShutDown(0);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  const sbx::RegistryFixture registry({L"Software\\Classes\\QuorvaneOffice.Connect",
                                       L"Software\\Classes\\CLSID\\{1910B8DC-CA40-4B03-AF03-F82C37C81A24}"});
  const std::wstring library = qv::AppPath() + L"QuorvaneOffice.dll";
  if (sbx::RegisterServer(library) != S_OK) return 1;
  const std::optional<double> fresh = MedianConnectMs();
  const HMODULE kept = LoadLibraryW(library.c_str());
  const std::optional<double> loaded = kept ? MedianConnectMs() : std::nullopt;
  if (kept) FreeLibrary(kept);
  sbx::RegisterServer(library, true);
  if (!fresh || !loaded) return 1;
  std::printf("connect_ms=%.2f\nconnect_loaded_ms=%.2f\n", *fresh, *loaded);
  OleUninitialize();
  return 0;
}
