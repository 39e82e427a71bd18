#pragma once
// The keyword case that the editors' pretty-lister gives a line it rewrites: each keyword of the
// code spelled as VB spells it. Spacing and every other word are left as typed.
#include <string>
#include <string_view>
#include <vector>

namespace sbx {

// `line` with its keywords cased. String literals, comments (after "'" or a "Rem" statement) and
// member names after "." are kept; a keyword inside a longer word is not one.
std::wstring CaseKeywords(std::wstring_view line);

// Line `line` (from 1) of a module with its keywords cased. A comment that ends in " _" goes on in
// the next line (assumed host behaviour, as VB reads it).
std::wstring CaseKeywordsOfLine(const std::vector<std::wstring>& lines, int line);

}  // namespace sbx
