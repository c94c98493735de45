#include "runtime/variant.h"

#include "runtime/conversions.h"
#include "runtime/errors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace runtime {

Variant Variant::Integer(std::int16_t value)
{
    Variant v;
    v.kind_ = Kind::Integer;
    v.number_ = value;
    return v;
}

Variant Variant::Long(std::int32_t value)
{
    Variant v;
    v.kind_ = Kind::Long;
    v.number_ = value;
    return v;
}

Variant Variant::Double(double value)
{
    Variant v;
    v.kind_ = Kind::Double;
    v.number_ = value;
    return v;
}

double Variant::toDouble() const
{
    return number_;
}

std::int32_t Variant::toLong() const
{
    return DoubleToLong(number_);
}

namespace {

// Empty takes part in arithmetic as an Integer 0.
Variant::Kind widerKind(const Variant& a, const Variant& b)
{
    return std::max({a.kind(), b.kind(), Variant::Kind::Integer});
}

template <typename Int>
bool fits(double value)
{
    return value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max();
}

// Every Integer and Long sum, difference and product is exact in a double,
// so the range test below sees the true result.
Variant ofKind(Variant::Kind kind, double value)
{
    switch (kind) {
    case Variant::Kind::Integer:
        if (!fits<std::int16_t>(value))
            throw RuntimeError(RuntimeError::Overflow);
        return Variant::Integer(static_cast<std::int16_t>(value));
    case Variant::Kind::Long:
        if (!fits<std::int32_t>(value))
            throw RuntimeError(RuntimeError::Overflow);
        return Variant::Long(static_cast<std::int32_t>(value));
    default:
        if (!std::isfinite(value))
            throw RuntimeError(RuntimeError::Overflow);
        return Variant::Double(value);
    }
}

} // namespace

Variant operator+(const Variant& a, const Variant& b)
{
    return ofKind(widerKind(a, b), a.toDouble() + b.toDouble());
}

Variant operator-(const Variant& a, const Variant& b)
{
    return ofKind(widerKind(a, b), a.toDouble() - b.toDouble());
}

Variant operator*(const Variant& a, const Variant& b)
{
    return ofKind(widerKind(a, b), a.toDouble() * b.toDouble());
}

Variant operator/(const Variant& a, const Variant& b)
{
    if (b.toDouble() == 0)
        throw RuntimeError(a.toDouble() == 0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero);
    return ofKind(Variant::Kind::Double, a.toDouble() / b.toDouble());
}

Variant Mod(const Variant& a, const Variant& b)
{
    const std::int32_t dividend = a.toLong();
    const std::int32_t divisor = b.toLong();
    if (divisor == 0)
        throw RuntimeError(RuntimeError::DivisionByZero);
    // C++ truncates, so the remainder takes the dividend's sign; -1 avoids
    // the one quotient (INT32_MIN / -1) that does not fit.
    const std::int32_t remainder = divisor == -1 ? 0 : dividend % divisor;
    if (widerKind(a, b) == Variant::Kind::Integer)
        return Variant::Integer(static_cast<std::int16_t>(remainder));
    return Variant::Long(remainder);
}

bool operator==(const Variant& a, const Variant& b)
{
    return a.toDouble() == b.toDouble();
}

bool operator>(const Variant& a, const Variant& b)
{
    return a.toDouble() > b.toDouble();
}

} // namespace runtime
