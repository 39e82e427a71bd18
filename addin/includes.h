#pragma once
// Include processing and automatic declarations over the active project of VBInstance.
#include <string>

#include "codetools/includes.h"
#include "kit/keyed_collection.h"

namespace qv {

// What one connection's include passes and declaration runs keep.
struct IncludeState {
  // Made afresh for each code window that becomes active.
  IncludeTables Includes;
  // What the current declarations run has declared or listed.
  KeyedCollection<std::wstring> DeclaredNames;
};

// One pass over the '#Include directives; a host failure ends it and is recorded.
void RunIncludePass(IncludeState& state);
// Declares the word that ends at the caret of the active code pane; a failure is shown.
void AutoAPIDeclarate(IncludeState& state);
// Declares (or, with ListOnly, lists in DeclaredNames) the words of Text that an include defines
// and the project lacks. Host failures go to the caller.
void AddDeclaration(IncludeState& state, const std::wstring& Text, bool ListOnly);

}  // namespace qv
