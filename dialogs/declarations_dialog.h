#pragma once
// The declarations dialog: the names that the procedures of the active module use, that an included
// file declares and the project lacks, one check box each.
#include "addin/includes.h"

namespace qv {

// Lists the names into `includes`, then shows the dialog modal, owned by the host's main window.
void ShowDeclarations(IncludeState& includes);

}  // namespace qv
