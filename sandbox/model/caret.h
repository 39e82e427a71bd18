#pragma once
// Where the caret goes: moved by the keys, and carried along by changes of the text.
#include <optional>

#include "sandbox/model/module_text.h"

namespace sbx {

// kModuleStart and kModuleEnd: Ctrl+Home and Ctrl+End.
enum class CaretMove { kLeft, kRight, kUp, kDown, kHome, kEnd, kPageUp, kPageDown, kModuleStart, kModuleEnd };

// The nearest valid position: line 1..max(1, CountOfLines), column 1..Len(line) + 1.
TextPos ClampPos(const ModuleText& text, TextPos pos);

// `page` is the number of lines Page Up and Page Down move by.
TextPos MoveCaret(const ModuleText& text, TextPos caret, CaretMove move, int page);

// The number of `line` after `change`; nullopt when the change removed it. A line that was replaced
// keeps its number while the replacement has a line there.
std::optional<int> FollowLine(int line, const LineChange& change);

// A position after `change` (already applied to `text`): lines inserted or deleted above move it, a
// replaced line keeps it (clamped), a deleted line puts it on the line that took its place.
TextPos FollowChange(const ModuleText& text, TextPos pos, const LineChange& change);

}  // namespace sbx
