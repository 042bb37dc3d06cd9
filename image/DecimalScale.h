#pragma once

// Exact decimal arithmetic for the numbers the user types. Frequencies are stored in units of
// 10 Hz and CTCSS tones in units of 0.1 Hz; multiplying the typed double by 100000 in binary
// floating point and truncating can give one less (145.125 * 100000 = 14512499.99...). Here the
// parsed number is rounded to 15 significant decimal digits first, as an old-style decimal type
// would hold it, and the scaling happens on those digits.

#include <cstdint>
#include <string>
#include <string_view>

namespace orx {

// The number at the start of text, read the way the C library's atof reads it: leading blanks,
// an optional sign, digits with an optional decimal point, an optional exponent. Locale-free.
// Text that does not start with a number gives 0.
double LeadingNumber(std::string_view text);

// The integer at the start of text (atoi-style); 0 when there is none. Saturates at the int range.
int LeadingInteger(std::string_view text);

// x (taken to 15 significant digits) times 10^decimalShift, truncated toward zero.
// DecimalScale(145.125, 5) == 14512500; DecimalScale(67.0, 1) == 670. Saturates at the int64 range;
// infinities and NaN give 0.
std::int64_t DecimalScale(double x, int decimalShift);

// Shorthand for the two factors the program uses.
inline constexpr int kFrequencyShift = 5; // MHz -> 10 Hz units
inline constexpr int kToneShift = 1;      // Hz -> 0.1 Hz units

// value / 10^decimalShift printed with the given number of decimals, rounding half away from zero
// on the exact decimal value: FormatScaled(14512500, 5, 5) == "145.12500",
// FormatScaled(8812500, 5, 2) == "88.13".
std::string FormatScaled(std::int64_t value, int decimalShift, int decimals);

} // namespace orx
