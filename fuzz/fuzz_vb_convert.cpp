// Val, CBool, CLng and CInt on arbitrary input: no crash or undefined
// behaviour, only the documented errors, and rounding that stays honest.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "kit/vb_convert.h"
#include "kit/vb_error.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "vb_convert: %s\n", what);
  std::abort();
}

template <class Int>
void CheckRounding(double value, Int (*convert)(double)) {
  if (std::isnan(value)) return;
  // Halves round to even, so the lowest half rounds up into range and the highest out of it.
  const double low = static_cast<double>(std::numeric_limits<Int>::min()) - 0.5;
  const double high = static_cast<double>(std::numeric_limits<Int>::max()) + 0.5;
  try {
    const Int rounded = convert(value);
    const double distance = std::fabs(static_cast<double>(rounded) - value);
    if (distance > 0.5) Fail("rounded too far");
    if (distance == 0.5 && rounded % 2 != 0) Fail("half not rounded to even");
    if (qv::Val(std::to_wstring(rounded)) != static_cast<double>(rounded)) Fail("Val does not read the text back");
  } catch (const qv::VbError& error) {
    if (error.number != 6) Fail("unexpected error number from rounding");
    if (value >= low && value < high) Fail("overflow for a value in range");
  }
}

void Check(double value) {
  CheckRounding<std::int32_t>(value, qv::CLng);
  CheckRounding<std::int16_t>(value, qv::CInt);
}

}  // namespace

// The input is text (a code unit per byte) and, from its first 8 bytes, a double.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text(data, data + size);
  try {
    const double value = qv::Val(text);
    if (!std::isfinite(value)) Fail("Val gave a number that is not finite");
    Check(value);
  } catch (const qv::VbError& error) {
    if (error.number != 6) Fail("unexpected error number from Val");
  }
  try {
    static_cast<void>(qv::CBool(text));
  } catch (const qv::VbError& error) {
    if (error.number != 13) Fail("unexpected error number from CBool");
  }
  if (size >= sizeof(double)) {
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    Check(value);
  }
  return 0;
}
