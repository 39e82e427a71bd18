#pragma once
// The hot keys' commands, bound to the settings that name their keys.
#include "editor/hot_keys.h"
#include "library/parts.h"

namespace qv {

// In the order of the options dialog's hot-key boxes; the procedure list comes from `parts`.
HotKeyTable BuildHotKeyTable(Parts& parts);

}  // namespace qv
