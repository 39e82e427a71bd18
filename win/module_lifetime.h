#pragma once
// The library may be unloaded only when nothing of it is alive: no COM object, no window, timer,
// subclass or event sink, no reference into the host. Each of them holds one module reference
// while it exists.

namespace qv {

void AddRefModule();
void ReleaseModule();
bool ModuleInUse();

// An object that holds a module reference for its lifetime.
class ModuleReference {
 public:
  ModuleReference() { AddRefModule(); }
  ModuleReference(const ModuleReference&) { AddRefModule(); }
  ModuleReference& operator=(const ModuleReference&) = default;
  ~ModuleReference() { ReleaseModule(); }
};

}  // namespace qv
