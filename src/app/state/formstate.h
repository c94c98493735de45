#pragma once

#include "runtime/variant.h"

#include <QString>

#include <cstdint>

// The variables the window keeps between events: the only channel between
// its handlers. Longs start at 0, the String empty, Variants Empty.
struct FormState {
    using Variant = runtime::Variant;

    // The three fields, as their Change handlers last stored them.
    std::int32_t dayno = 0;
    Variant monthno; // the Double that Val gives
    std::int32_t yearno = 0;
    std::int32_t errorkind = 0; // 0 fits; 1 30-day month; 2 leap February; 3 common February

    Variant leapflag; // Integer 1 or 0
    Variant yearmod400, yearmod100, yearmod4;

    Variant daycode; // Long
    Variant monthcode; // Integer
    Variant yearcode; // Long, or Integer 0 at the start of a 400-year cycle

    // Working values of the year code, in the order they are computed.
    Variant prevyear, rem400, rem100, centuryyears, centurycode, rem4, leapspan, leapyears, ordinaryyears, odddays;

    // SHOW's own.
    Variant showmod400, showmod100, showmod4, showleap;
    Variant totalcode;
    std::int32_t dayindex = 0;
    QString dayname;
};
