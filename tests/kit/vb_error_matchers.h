#pragma once

#include "kit/vb_error.h"

namespace qv::test {

// The number of the VbError that action raises; 0 (as in Err.Number) when
// it raises none. Any other exception escapes and fails the test.
template <class Action>
long VbErrorNumber(Action&& action) {
  try {
    action();
  } catch (const VbError& error) {
    return error.number;
  }
  return 0;
}

}  // namespace qv::test

#define EXPECT_VB_ERROR(statement, expected) \
  EXPECT_EQ(::qv::test::VbErrorNumber([&] { static_cast<void>(statement); }), expected) << #statement
