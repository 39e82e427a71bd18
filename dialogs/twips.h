#pragma once
// Sizes given in twips (1/1440 inch), as the edited language's forms measure, turned into pixels of
// the screen.
#include <windows.h>

namespace qv {

constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel at `dots_per_inch`.
constexpr int TwipsToPixels(int twips, int dots_per_inch) {
  return (twips * dots_per_inch + kTwipsPerInch / 2) / kTwipsPerInch;
}

// At the screen's horizontal resolution.
int TwipsToScreenPixels(int twips);

}  // namespace qv
