#include "host/host_code_pane.h"

namespace qv {

ModuleText HostCodePane::Snapshot() const {
  const long count = module_.CountOfLines();
  return ModuleText(count > 0 ? module_.Lines(1, count) : std::wstring());
}

}  // namespace qv
