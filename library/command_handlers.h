#pragma once
// What the add-in's menu entries and toolbar buttons do when clicked. Each gets the clicked control;
// only the numbering toggle looks at it.
#include "addin/command_bars.h"
#include "library/parts.h"

namespace qv {

// The dialogs, the backup and the help file come from `parts`, which outlives the bindings.
CommandHandlers MakeCommandHandlers(Parts& parts);

}  // namespace qv
