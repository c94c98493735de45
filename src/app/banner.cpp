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

// Past the wrap point the banner goes round the same trip from the start
// point, so of all the ticks missed, hours' worth, only those up to the wrap
// and the rest of the last trip are run.
void Timer1_Missed(frmday& f, std::int64_t ticks)
{
    constexpr auto Trip = static_cast<std::int64_t>((BannerStart - BannerWrap) / BannerStep);
    const auto toWrap = static_cast<std::int64_t>((f.lbltime->Left() - BannerWrap) / BannerStep);
    if (ticks > toWrap)
        ticks = toWrap + (ticks - toWrap) % Trip;
    for (; ticks > 0; --ticks)
        Timer1_Timer(f);
}
