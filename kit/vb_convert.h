#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// The edited language's Val: reads the number at the start of text, skipping
// blanks, TABs and LFs anywhere; 0 when there is none. Throws VbError 6 when
// the number does not fit.
double Val(std::wstring_view text);
// The number Val reads; nullopt when the text does not begin with one or it
// does not fit.
std::optional<double> LeadingNumber(std::wstring_view text);

// The edited language's IsNumeric, read without regard to the locale: the whole
// text is a decimal number (sign, point and exponent optional) or radix digits
// after &H, &O or a bare & as Val reads them, and it fits.
bool IsNumeric(std::wstring_view text);

// Round half to even; VbError 6 when the result does not fit.
std::int32_t CLng(double value);
std::int16_t CInt(double value);

// "True"/"False" in any case, or a whole numeric literal (nonzero is true);
// VbError 13 for anything else.
bool CBool(std::wstring_view text);

// A Boolean as the host stores it.
std::int16_t VbBool(bool value) noexcept;

}  // namespace qv
