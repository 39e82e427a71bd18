#include "win/host_settings.h"

#include <windows.h>

#include "kit/load_settings.h"
#include "win/registry.h"

namespace qv {

std::int32_t HostTabWidth(std::wstring_view ide_settings_key) {
  return TabWidthOfValue(GetRegValue(HKEY_CURRENT_USER, ide_settings_key, kTabWidthValue));
}

}  // namespace qv
