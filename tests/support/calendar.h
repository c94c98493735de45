#pragma once

#include <chrono>

// What the program must compute, worked out from std::chrono's proleptic
// Gregorian calendar rather than copied from its tables.
namespace calendar {

// The odd days of the months before the month in a common year (2001).
inline int monthCode(int month)
{
    using namespace std::chrono;
    const sys_days first{year(2001) / std::chrono::month(month) / 1};
    return static_cast<int>((first - sys_days{year(2001) / January / 1}).count() % 7);
}

inline bool isLeap(int y)
{
    return std::chrono::year(y).is_leap();
}

} // namespace calendar
