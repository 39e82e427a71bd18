#pragma once
// Tests reach the host the way the add-in does, through the add-in's own late-bound calls.
#include "win/late_bound.h"

namespace sbx {

using qv::CallFailure;
using qv::Get;
using qv::Invoke;
using qv::Path;
using qv::Put;
using qv::SameObject;
using qv::TypeName;
using qv::Variant;

}  // namespace sbx
