#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

// The corpus modules: ANSI (code page 1251) files with CR LF; the line break
// that ends the file is not a line of the module.
std::vector<std::string> CorpusNames();
std::wstring ReadCorpus(const std::string& name);

// Lines joined by CR LF, as the host gives a module's text.
std::wstring Lines(std::initializer_list<std::wstring_view> lines);

}  // namespace qv::test
