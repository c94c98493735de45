#pragma once

#include <cstdint>

namespace runtime {

// A tagged value that is Empty until assigned and then holds an Integer
// (16-bit), a Long (32-bit) or a Double. Arithmetic keeps the wider kind;
// Integer and Long results out of range raise Overflow instead of wrapping.
class Variant {
public:
    enum class Kind { Empty, Integer, Long, Double };

    Variant() = default;
    static Variant Integer(std::int16_t value);
    static Variant Long(std::int32_t value);
    static Variant Double(double value);

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    double toDouble() const; // Empty gives 0
    std::int32_t toLong() const; // rounds half to even; Overflow outside Long

private:
    Kind kind_ = Kind::Empty;
    double number_ = 0; // exact for every Integer and Long
};

Variant operator+(const Variant& a, const Variant& b);
Variant operator-(const Variant& a, const Variant& b);
Variant operator*(const Variant& a, const Variant& b);
Variant operator/(const Variant& a, const Variant& b);
Variant Mod(const Variant& a, const Variant& b);

// Numeric comparisons; Empty compares as 0.
bool operator==(const Variant& a, const Variant& b);
bool operator>(const Variant& a, const Variant& b);

// Integer constants of the handlers, such as `monthno == 4`.
inline bool operator==(const Variant& a, int b)
{
    return a.toDouble() == b;
}
inline bool operator>(const Variant& a, int b)
{
    return a.toDouble() > b;
}

} // namespace runtime
