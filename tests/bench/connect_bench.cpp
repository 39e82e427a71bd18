// How long the host waits in OnConnection: the add-in connected to a fresh sandbox host, several
// times, the median printed as connect_ms.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "win/files.h"
#include "sandbox/host/host.h"
#include "sandbox/testing/registry_fixture.h"

int main() {
  OleInitialize(nullptr);
  const sbx::RegistryFixture registry({L"Software\\Classes\\QuorvaneOffice.Connect",
                                       L"Software\\Classes\\CLSID\\{1910B8DC-CA40-4B03-AF03-F82C37C81A24}"});
  const std::wstring library = qv::AppPath() + L"QuorvaneOffice.dll";
  if (sbx::RegisterServer(library) != S_OK) return 1;
  std::vector<double> times;
  for (int run = 0; run < 15; ++run) {
    sbx::Host host;
    const auto start = std::chrono::steady_clock::now();
    const bool connected = host.add_ins().Connect(L"QuorvaneOffice.Connect", ext_cm_Startup);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    if (!connected) return 1;
    host.ShutDown(0);
  }
  sbx::RegisterServer(library, true);
  std::sort(times.begin(), times.end());
  std::printf("connect_ms=%.2f\n", times[times.size() / 2]);
  OleUninitialize();
  return 0;
}
