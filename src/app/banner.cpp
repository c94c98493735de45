#include "app/banner.h"

#include "app/frmday.h"

// Every position written is a start point or the previous one less a step,
// so the banner meets the wrap point exactly.
void Timer1_Timer(frmday& f)
{
    const float left = f.lbltime->Left();
    f.lbltime->setLeft(left - BannerStep);
    if (f.lbltime->Left() == BannerWrap)
        f.lbltime->setLeft(BannerStart);
}
