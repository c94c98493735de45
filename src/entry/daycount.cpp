#include "entry/daycount.h"

void dayCountCheck(FormState& s)
{
    const bool thirtyDays = s.monthno == 4 || s.monthno == 6 || s.monthno == 9 || s.monthno == 11;
    if (thirtyDays && s.dayno > 30)
        s.errorkind = 1;
    else if (s.leapflag == 1 && s.monthno == 2 && s.dayno > 29)
        s.errorkind = 2;
    else if (s.leapflag == 0 && s.monthno == 2 && s.dayno > 28) // an Empty flag counts as common
        s.errorkind = 3;
    else
        s.errorkind = 0;
}
