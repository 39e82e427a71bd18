#pragma once
// The list editors' question for a name: a prompt, a text box with a default and OK and Cancel,
// titled with the library's application title.
#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

// The typed text; "" when cancelled or closed.
std::wstring InputBox(HWND owner, std::wstring_view prompt, std::wstring_view dflt);

}  // namespace qv
