#pragma once
// What the add-in follows of the host's and the system's own settings, read where they are kept.
#include <cstdint>
#include <string_view>

namespace qv {

// The host's tab width, from its editor settings under HKEY_CURRENT_USER.
std::int32_t HostTabWidth(std::wstring_view ide_settings_key);

// The lines the system scrolls for one notch of the wheel; 0 when it cannot say.
long WheelScrollLines();

}  // namespace qv
