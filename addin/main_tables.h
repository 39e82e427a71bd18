#pragma once
// The load-time work: the tables that live as long as the library.

namespace qv {

// Runs once, on the host's thread, before the first connection; later calls do nothing.
void Main();

}  // namespace qv
