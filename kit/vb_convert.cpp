#include "kit/vb_convert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "kit/case_fold.h"
#include "kit/vb_error.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

struct Scanned {
  double value = 0;
  std::size_t length = 0;  // 0: no number at all
  bool overflow = false;
};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

unsigned DigitValue(wchar_t c) {
  if (IsDigit(c)) return static_cast<unsigned>(c - L'0');
  const wchar_t lower = FoldCase(c);
  if (lower >= L'a' && lower <= L'f') return static_cast<unsigned>(lower - L'a') + 10;
  return 16;
}

// Digits after an &H / &O prefix. They are read as a 16-bit Integer when the
// value fits, else as a 32-bit Long, so "&HFFFF" is -1 and "&H10000" is 65536.
Scanned ScanRadix(std::wstring_view text, std::size_t start, unsigned radix) {
  constexpr std::uint64_t longMax = 0xFFFFFFFFu;
  std::uint64_t value = 0;
  Scanned scanned;
  std::size_t i = start;
  for (; i < text.size() && DigitValue(text[i]) < radix; ++i) {
    value = value * radix + DigitValue(text[i]);
    if (value > longMax) {
      scanned.overflow = true;
      value = longMax;  // keeps the arithmetic bounded while the digits are skipped
    }
  }
  if (i == start) return {};
  scanned.length = i;
  scanned.value = value <= 0xFFFFu ? static_cast<std::int16_t>(value) : static_cast<std::int32_t>(value);
  return scanned;
}

Scanned ScanDecimal(std::wstring_view text) {
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == L'-';
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) ++i;

  // All digits as one integer for from_chars, which ignores the C locale;
  // the decimal point goes into the exponent.
  std::string digits;
  for (; i < text.size() && IsDigit(text[i]); ++i) digits.push_back(static_cast<char>(text[i]));
  const auto pointAt = static_cast<long long>(digits.size());
  if (i < text.size() && text[i] == L'.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) digits.push_back(static_cast<char>(text[i]));
  }
  if (digits.empty()) return {};

  long long exponent = 0;
  if (i < text.size() && (FoldCase(text[i]) == L'e' || FoldCase(text[i]) == L'd')) {
    std::size_t j = i + 1;
    const bool negativeExponent = j < text.size() && text[j] == L'-';
    if (j < text.size() && (text[j] == L'-' || text[j] == L'+')) ++j;
    // Past this bound no digit count brings the value back into range;
    // saturating keeps the exponent itself from overflowing.
    const auto bound = static_cast<long long>(text.size()) + 400;
    const std::size_t exponentStart = j;
    for (; j < text.size() && IsDigit(text[j]); ++j) exponent = std::min(exponent * 10 + (text[j] - L'0'), bound);
    if (j > exponentStart) {  // else "1e" is just 1
      i = j;
      if (negativeExponent) exponent = -exponent;
    }
  }

  Scanned scanned;
  scanned.length = i;
  const std::string number =
      digits + 'e' + std::to_string(exponent - (static_cast<long long>(digits.size()) - pointAt));
  const auto result = std::from_chars(number.data(), number.data() + number.size(), scanned.value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small; the value lies below 10 to the power of magnitude.
    const auto firstNonZero = static_cast<long long>(digits.find_first_not_of('0'));
    scanned.overflow = pointAt - firstNonZero + exponent > 0;
    scanned.value = 0;
  }
  if (negative) scanned.value = -scanned.value;
  return scanned;
}

// "&H" hex, "&O" or a bare "&" octal, else a decimal number.
Scanned ScanNumber(std::wstring_view text) {
  if (text.empty() || text.front() != L'&') return ScanDecimal(text);
  const wchar_t radix = text.size() > 1 ? FoldCase(text[1]) : L'\0';
  if (radix == L'h') return ScanRadix(text, 2, 16);
  if (radix == L'o') return ScanRadix(text, 2, 8);
  return ScanRadix(text, 1, 8);
}

// The number that is the whole text; nullopt when anything else is in it.
std::optional<Scanned> WholeNumber(std::wstring_view text) {
  const Scanned scanned = ScanNumber(text);
  if (scanned.length == 0 || scanned.length != text.size()) return std::nullopt;
  return scanned;
}

double RoundHalfEven(double value) {
  double rounded = std::floor(value);
  const double fraction = value - rounded;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
  return rounded;
}

template <class Int>
Int RoundTo(double value) {
  const double rounded = RoundHalfEven(value);
  // Written so that NaN fails too.
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    throw OverflowError();
  }
  return static_cast<Int>(rounded);
}

// Val's reading: blanks, TABs and LFs are skipped anywhere.
Scanned ScanVal(std::wstring_view text) {
  std::wstring packed;
  for (const wchar_t c : text) {
    if (c != L' ' && c != L'\t' && c != L'\n') packed.push_back(c);
  }
  return ScanNumber(packed);
}

}  // namespace

double Val(std::wstring_view text) {
  const Scanned scanned = ScanVal(text);
  if (scanned.overflow) throw OverflowError();
  return scanned.value;
}

std::optional<double> LeadingNumber(std::wstring_view text) {
  const Scanned scanned = ScanVal(text);
  if (scanned.length == 0 || scanned.overflow) return std::nullopt;
  return scanned.value;
}

bool IsNumeric(std::wstring_view text) {
  const std::optional<Scanned> scanned = WholeNumber(text);
  return scanned && !scanned->overflow;
}

std::int32_t CLng(double value) { return RoundTo<std::int32_t>(value); }
std::int16_t CInt(double value) { return RoundTo<std::int16_t>(value); }

bool CBool(std::wstring_view text) {
  const std::wstring trimmed = TrimBlanks(text);
  if (EqualsNoCase(trimmed, L"True")) return true;
  if (EqualsNoCase(trimmed, L"False")) return false;
  const std::optional<Scanned> scanned = WholeNumber(trimmed);
  if (!scanned) throw TypeMismatchError();
  // A number too large to hold is still not zero.
  return scanned->overflow || scanned->value != 0;
}

std::int16_t VbBool(bool value) noexcept { return value ? std::int16_t{-1} : std::int16_t{0}; }

}  // namespace qv
