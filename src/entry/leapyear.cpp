#include "entry/leapyear.h"

using runtime::Variant;

Variant leapTest(std::int32_t year, Variant& mod400, Variant& mod100, Variant& mod4)
{
    mod400 = Variant::Long(year % 400);
    if (mod400 == 0)
        return Variant::Integer(1);
    mod100 = Variant::Long(year % 100);
    if (mod100 == 0)
        return Variant::Integer(0);
    mod4 = Variant::Long(year % 4);
    return Variant::Integer(mod4 == 0 ? 1 : 0);
}
