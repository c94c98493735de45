#pragma once

#include <QString>

#include <cstdint>

namespace runtime {

// The leading decimal number of a text (after blanks and an optional sign);
// a text with no leading number gives 0. Overflow beyond a Double.
double Val(const QString& text);

// The whole text, blanks around it aside, must be a number: TypeMismatch
// otherwise, Overflow beyond the range of a Double.
double TextToDouble(const QString& text);

// Rounds half to even; Overflow outside the Long range.
std::int32_t DoubleToLong(double value);

QString IntegerToText(std::int16_t value);

} // namespace runtime
