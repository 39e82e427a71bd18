#pragma once
// The load-time work: the tables that live as long as the library.
#include <functional>
#include <string>

#include "addin/addin_state.h"

namespace qv {

// Runs once, on the host's thread, before the first connection; later calls do nothing.
void Main();

// The text of a list file beside the library, by its name.
using ListFileReader = std::function<std::wstring(const wchar_t* name)>;

// The tables from the list files, then the palette. Each is a step of its own: a failing one is
// recorded and leaves its table as far as it got, and the next one runs.
void FillTables(LoadTables& tables, const ListFileReader& read);

}  // namespace qv
