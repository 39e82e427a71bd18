#pragma once
// Include processing and automatic declarations over the active project of VBInstance.
#include <string>

namespace qv {

// One pass over the '#Include directives; a host failure ends it and is recorded.
void RunIncludePass();
// Empties the include tables, for another code window.
void ClearIncludeTables();
// Declares the word that ends at the caret of the active code pane; a failure is shown.
void AutoAPIDeclarate();
// Declares (or, with ListOnly, lists in DeclaredNames) the words of Text that an include defines
// and the project lacks. Host failures go to the caller.
void AddDeclaration(const std::wstring& Text, bool ListOnly);

}  // namespace qv
