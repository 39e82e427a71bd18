#pragma once
// The process's environment variables.
#include <string>
#include <string_view>

namespace qv {

// The variable's value; "" when it is not set.
std::wstring EnvironmentVariable(std::wstring_view name);

}  // namespace qv
