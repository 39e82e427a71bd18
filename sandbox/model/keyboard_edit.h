#pragma once
// The code editor's keyboard edits as text operations. Each works on the selection [from, to]
// (from <= to; equal for a caret), is one undo step of the module, or none when it changes nothing,
// and gives the caret position after it.
#include <string_view>

#include "sandbox/model/module_text.h"

namespace sbx {

// Typing and pasting: the text replaces the selection; CR LF, CR or LF in it start new lines.
TextPos TypeText(ModuleText& text, TextPos from, TextPos to, std::wstring_view typed);

// Backspace: the selection, else the character left of the caret, else the line break above.
TextPos DeleteLeft(ModuleText& text, TextPos from, TextPos to);

// Delete: the selection, else the character right of the caret, else the line break at the line's end.
TextPos DeleteRight(ModuleText& text, TextPos from, TextPos to);

// Enter: splits the line at the selection. The new line gets the leading blanks of the line above
// and then the text after the caret without its leading blanks; the caret stands after the blanks.
// With `complete_procedures`, Enter at the end of a procedure header that no End line closes adds
// an empty line and the End line, and puts the caret on the empty line.
TextPos SplitLine(ModuleText& text, TextPos from, TextPos to, bool complete_procedures);

}  // namespace sbx
