#include "runtime/conversions.h"

#include "runtime/errors.h"

#include <QByteArray>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace runtime {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// from_chars reports overflow and underflow alike and leaves the value unset;
// the decimal exponent of the first significant digit tells them apart.
bool beyondLargest(const char* first, const char* last)
{
    const char* mark = std::find_if(first, last, [](char c) { return c == 'e' || c == 'E'; });
    long exponent = 0;
    if (mark != last) {
        const char* digits = mark + 1 != last && mark[1] == '+' ? mark + 2 : mark + 1;
        std::from_chars(digits, last, exponent);
    }
    const char* point = std::find(first, mark, '.');
    const char* significant = std::find_if(first, mark, [](char c) { return c >= '1' && c <= '9'; });
    const long position = significant < point ? point - significant - 1 : point - significant;
    return exponent + position > 0;
}

struct Parsed {
    double value = 0;
    bool found = false; // a number starts the text
    const char* end = nullptr; // first character after it
};

// Parses the number at the start of [first, last), blanks before it allowed.
// Only digits and a decimal point may start the number (from_chars would
// also take "inf" and "nan").
Parsed parseLeadingNumber(const char* first, const char* last)
{
    Parsed parsed;
    while (first != last && isBlank(*first))
        ++first;
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first == last || !(isDigit(*first) || *first == '.'))
        return parsed;
    const auto [end, ec] = std::from_chars(first, last, parsed.value, std::chars_format::general);
    if (ec == std::errc::invalid_argument)
        return parsed;
    if (ec == std::errc::result_out_of_range) {
        if (beyondLargest(first, end))
            throw RuntimeError(RuntimeError::Overflow);
        parsed.value = 0; // below the smallest Double
    }
    if (negative)
        parsed.value = -parsed.value;
    parsed.found = true;
    parsed.end = end;
    return parsed;
}

} // namespace

double Val(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return parseLeadingNumber(bytes.begin(), bytes.end()).value;
}

double TextToDouble(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    const Parsed parsed = parseLeadingNumber(bytes.begin(), bytes.end());
    if (!parsed.found)
        throw RuntimeError(RuntimeError::TypeMismatch);
    const char* rest = parsed.end;
    while (rest != bytes.end() && isBlank(*rest))
        ++rest;
    if (rest != bytes.end())
        throw RuntimeError(RuntimeError::TypeMismatch);
    return parsed.value;
}

std::int32_t DoubleToLong(double value)
{
    const double rounded = std::nearbyint(value); // the default mode rounds half to even
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        throw RuntimeError(RuntimeError::Overflow);
    return static_cast<std::int32_t>(rounded);
}

QString IntegerToText(std::int16_t value)
{
    return QString::number(value);
}

} // namespace runtime
