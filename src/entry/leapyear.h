#pragma once

#include "runtime/variant.h"

#include <cstdint>

// The Gregorian leap rule as the handlers work it: the remainders by 400,
// 100 and 4 in turn, each stored only when the one before it was not 0.
// Gives the Integer 1 for a leap year, 0 for a common one.
runtime::Variant leapTest(std::int32_t year, runtime::Variant& mod400, runtime::Variant& mod100,
                          runtime::Variant& mod4);
