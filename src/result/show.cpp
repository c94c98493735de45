#include "app/banner.h"
#include "app/colours.h"
#include "app/frmday.h"
#include "app/refusal.h"
#include "entry/fields.h"
#include "entry/leapyear.h"
#include "result/result.h"

#include <array>

using runtime::Variant;

namespace {

constexpr std::array<const char*, 3> DayCountRefusals = {
    "Do you know April,June,Sept. and Nov. have only 30 days",
    "Do you know February has only 29 days for a Leap Year",
    "Do you know February has only 28 days for a Non-Leap year",
};
constexpr const char* GapRefusal = "Do you know the dates from 5/10/1582 to 14/10/1582 are not in the calender";

constexpr std::array<const char*, 7> DayNames
    = {"SUNDAY", "MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY", "FRIDAY", "SATURDAY"};

// The day box is readied for another try and the banner starts over; the
// Form state is left as it was.
void refuse(frmday& f, const char* sentence)
{
    showRefusal(f, sentence);
    f.txtdate->SetFocus();
    selectWholeText(f.txtdate);
    clearResult(f);
    f.lbltime->setLeft(BannerAfterRefusal);
}

// The ten days the calendar reform of October 1582 left out.
bool inGregorianGap(const FormState& s)
{
    return s.yearno == 1582 && s.monthno == 10 && s.dayno > 4 && s.dayno < 15;
}

} // namespace

void cmdshow_Click(frmday& f)
{
    FormState& s = f.state;
    if (s.errorkind >= 1 && s.errorkind <= 3) {
        refuse(f, DayCountRefusals[s.errorkind - 1]);
        return;
    }
    if (inGregorianGap(s)) {
        refuse(f, GapRefusal);
        return;
    }

    s.showleap = leapTest(s.yearno, s.showmod400, s.showmod100, s.showmod4);
    // The extra day of a leap year counts from March on.
    const Variant leapadjust = Variant::Integer(s.showleap == 1 && s.monthno > 2 ? 1 : 0);
    s.totalcode = ((s.daycode + s.monthcode) + s.yearcode) + leapadjust;
    s.dayindex = Mod(s.totalcode, Variant::Integer(7)).toLong();
    // A negative sum (only the year 0 gives one) keeps the last name shown.
    if (s.dayindex >= 0 && s.dayindex < static_cast<int>(DayNames.size()))
        s.dayname = DayNames[s.dayindex];

    // The date as typed, not as stored: leading zeros stay.
    f.lblshow1->setCaption("The Day  " + f.txtdate->text() + " / " + f.txtmonth->text() + " / " + f.txtyear->text()
                           + "   is  ");
    f.lblshow2->setCaption(s.dayname);
    f.lbltime->setCaption(f.lblshow1->Caption() + f.lblshow2->Caption());
    f.lbltime->setForeColor(colours::Black);
}

void clearResult(frmday& f)
{
    f.lblshow1->setCaption("");
    f.lblshow2->setCaption("");
}
