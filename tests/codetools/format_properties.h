#pragma once

#include <string>
#include <string_view>

#include "codetools/indent_engine.h"
#include "codetools/module_view.h"

namespace qv::test {

// ANSI text in code page 1251.
std::wstring DecodeAnsi(std::string_view bytes);

// The module after formatting every line on command.
std::wstring FormatWhole(std::wstring text, long indent_width);
// An incremental run from `line`, with the caret moved one line down.
FormatResult FormatFrom(const CodeModuleView& module, long line, long indent_width);

// What formatting must keep: the line count; each line's text after its
// leading blanks (a label or line number keeps itself and its trimmed rest);
// a second format changes nothing; after it an incremental run from any line
// writes nothing. Gives the first property broken, or "" when all hold.
std::string CheckFormatProperties(std::wstring_view module, long indent_width);

// An incremental run from `line` of a module whose lines above `line` are as
// its full format has them: every line it reaches, down to the line it stops
// at, ends at the full format's indentation, and the line it stops at stood
// there before the run. Gives the first property broken, or "".
std::string CheckIncrementalRun(std::wstring_view module, long line, long indent_width);

}  // namespace qv::test
