#pragma once
// Under Wine GetGuiResources counts nothing: a leak shows as GDI handle slots that stay taken, which
// pushes the slots new objects get ever higher.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "win/gdi_owners.h"

namespace sbx::test {

// The paints of a leak test, and the climb of HighestFreeSlot that fails it: one object leaked in
// ten paints.
inline constexpr int kLeakTestPaints = 100;
inline constexpr int kLeakClimb = kLeakTestPaints / 10;

inline int HighestFreeSlot() {
  std::vector<qv::Pen> probes;
  int highest = 0;
  for (int i = 0; i < 200; ++i) {
    probes.emplace_back(CreatePen(PS_SOLID, 1, 0));
    highest = std::max<int>(highest, LOWORD(reinterpret_cast<UINT_PTR>(probes.back().get())));
  }
  return highest;
}

}  // namespace sbx::test
