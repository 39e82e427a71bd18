#pragma once
#include <string>

namespace qv::bench {

// A module of about `lines` lines of ordinary code, flush left: procedures with
// nested blocks, comments, strings, continued statements and error handlers.
std::wstring MakeModule(long lines);
// One procedure of `lines` lines, header and End line included, flush left, its body the
// statements of MakeModule's procedures.
std::wstring MakeProcedure(long lines);

}  // namespace qv::bench
