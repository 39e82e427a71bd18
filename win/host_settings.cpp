#include "win/host_settings.h"

#include <windows.h>

#include "kit/load_settings.h"
#include "win/registry.h"

namespace qv {

std::int32_t HostTabWidth(std::wstring_view ide_settings_key) {
  return TabWidthOfValue(GetRegValue(HKEY_CURRENT_USER, ide_settings_key, kTabWidthValue));
}

long WheelScrollLines() {
  UINT lines = 0;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<long>(lines);
}

}  // namespace qv
