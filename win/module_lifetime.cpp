#include "win/module_lifetime.h"

#include <atomic>

namespace qv {
namespace {

// Changed on the host's thread; DllCanUnloadNow may be asked from another.
std::atomic<long> g_references{0};

}  // namespace

void AddRefModule() { ++g_references; }
void ReleaseModule() { --g_references; }
bool ModuleInUse() { return g_references != 0; }

}  // namespace qv
