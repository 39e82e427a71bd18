#pragma once
// The declarations dialog: the names that the procedures of the active module use, that an included
// file declares and the project lacks, one check box each.
namespace qv {

// Lists the names, then shows the dialog modal, owned by State().hWndMain.
void ShowDeclarations();

}  // namespace qv
