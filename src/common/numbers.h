// Reading numbers out of user text and the integer/float conversions the whole
// program shares. Everything here is locale-independent: a date box or a
// coordinate box is read the same way on every system.
#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

namespace lumora {

// The leading number of a text, as the input boxes are read.
// Blanks, tabs, CR and LF are skipped wherever they stand ("20 26" reads 2026),
// then an optional sign, digits, an optional '.' and digits. Reading stops at
// the first other character. No number at all gives 0; so does a number too
// large to be finite. The '.' is the decimal mark whatever the user's locale.
double leadingNumber(QStringView text);

// Nearest integer, halves to even (2025.5 -> 2026, 2024.5 -> 2024), into a
// 16-bit signed integer. A value outside [-32768, 32767] after rounding, or a
// non-finite value, gives std::nullopt: the caller decides what that means.
std::optional<std::int16_t> roundToInt16(double value);

// Nearest integer, halves to even, as a double (no range limit; NaN stays NaN).
double roundHalfEven(double value);

// The shortest decimal text of a number, without exponent where it can be
// avoided: 2026, 1.5, -0.25. Used where a number is written back as text.
QString shortestText(double value);

} // namespace lumora
