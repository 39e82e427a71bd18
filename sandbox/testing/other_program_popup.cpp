// Another program's colour popup: the host's popups shown in a process of their own, the palette
// tab in front (started by OtherProgram).
//
//   sbx_other_program_popup <event>
//
// Sets the named event once the popup shows, then runs until it is ended.
#include <windows.h>

#include <shellapi.h>

#include "sandbox/ui/host_popups.h"
#include "win/unique_handle.h"

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const qv::UniqueObject shown(count == 2 ? OpenEventW(EVENT_MODIFY_STATE, FALSE, arguments[1]) : nullptr);
  LocalFree(arguments);
  if (!shown.valid()) return 1;
  sbx::HostPopups popups;
  popups.OpenColourPopup(0);
  SetEvent(shown.get());
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
