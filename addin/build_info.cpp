#include "addin/build_info.h"

namespace qv {
namespace {

const BuildInfo* g_build = nullptr;

}  // namespace

const BuildInfo& Build() { return *g_build; }

bool DeclareBuild(const BuildInfo& info) {
  g_build = &info;
  return true;
}

}  // namespace qv
