// The Change handlers of the three entry boxes: refill an emptied box, refuse
// a value above the limit, then store the field's numbers and codes.
#include "app/colours.h"
#include "app/frmday.h"
#include "app/refusal.h"
#include "entry/daycount.h"
#include "entry/fields.h"
#include "entry/leapyear.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"

#include <array>

using namespace runtime;

namespace {

// A digit string too long for a Double (a paste of hundreds of digits) is
// above every limit: the user gets the refusal, not an overflow.
bool aboveLimit(const QString& text, std::int16_t limit)
{
    try {
        return TextToDouble(text) > limit;
    } catch (const RuntimeError& error) {
        if (error.code() == RuntimeError::Overflow)
            return true;
        throw;
    }
}

// Each assignment below runs this same handler again, nested, before it
// returns; the box's text is therefore read afresh at every step.
void fieldChange(frmday& f, const EntryField& field)
{
    TextBox* box = f.*field.box;
    if (box->text().isEmpty()) {
        box->setText(IntegerToText(field.defaultValue));
        box->SetFocus();
        selectWholeText(box);
    }
    if (aboveLimit(box->text(), field.limit)) {
        showRefusal(f, field.limitMessage);
        box->setText(IntegerToText(field.limit));
        box->SetFocus();
        selectWholeText(box);
    }
    field.store(f);
}

void storeDay(frmday& f)
{
    FormState& s = f.state;
    s.dayno = DoubleToLong(Val(f.txtdate->text()));
    s.daycode = Variant::Long(s.dayno % 7);
    dayCountCheck(s);
}

// Odd days of the months before each month in a common year.
constexpr std::array<std::int16_t, 12> MonthCodes = {0, 3, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5};

void storeMonth(frmday& f)
{
    FormState& s = f.state;
    s.monthno = Variant::Double(Val(f.txtmonth->text()));
    dayCountCheck(s);
    // Month 0, or any value that is not a whole month, keeps the last code.
    for (int month = 1; month <= 12; ++month) {
        if (s.monthno == month) {
            s.monthcode = Variant::Integer(MonthCodes[month - 1]);
            return;
        }
    }
}

// Odd days of the whole centuries within a 400-year cycle.
Variant centuryCode(const Variant& centuryyears, const Variant& previous)
{
    constexpr std::array<std::pair<int, std::int16_t>, 4> codes = {{{0, 0}, {100, 5}, {200, 3}, {300, 1}}};
    for (const auto& [years, code] : codes) {
        if (centuryyears == years)
            return Variant::Integer(code);
    }
    return previous;
}

// The odd days of all whole years before yearno, Mod 7. Whole 400-year
// cycles have none; the working values keep their last values on that path.
void storeYearCode(FormState& s)
{
    const auto I = Variant::Integer;
    s.prevyear = Variant::Long(s.yearno) - I(1);
    s.rem400 = Mod(s.prevyear, I(400));
    if (s.rem400 == 0) {
        s.yearcode = I(0);
        return;
    }
    s.rem100 = Mod(s.rem400, I(100));
    s.centuryyears = s.rem400 - s.rem100;
    s.centurycode = centuryCode(s.centuryyears, s.centurycode);
    s.rem4 = Mod(s.rem100, I(4));
    s.leapspan = s.rem100 - s.rem4;
    s.leapyears = s.leapspan / I(4);
    s.ordinaryyears = s.rem100 - s.leapyears;
    s.odddays = (s.leapyears * I(2) + s.ordinaryyears) + s.centurycode;
    s.yearcode = Mod(s.odddays, I(7));
}

void storeYear(frmday& f)
{
    FormState& s = f.state;
    s.yearno = DoubleToLong(Val(f.txtyear->text()));
    storeYearCode(s);
    s.leapflag = leapTest(s.yearno, s.yearmod400, s.yearmod100, s.yearmod4);
    dayCountCheck(s);
}

} // namespace

// clang-format off
const EntryField DayField = {&frmday::txtdate, DefaultDay, 31, "Enter a number less than 32", storeDay,
                             "Enter The Date .........", colours::Red};
const EntryField MonthField = {&frmday::txtmonth, DefaultMonth, 12, "Enter a number less than 13", storeMonth,
                               "Enter The Month ..............", colours::Blue};
const EntryField YearField = {&frmday::txtyear, DefaultYear, 4000, "Enter a number less than 4000", storeYear,
                              "Enter The Year ................", colours::Green};
// clang-format on

void txtdate_Change(frmday& f)
{
    fieldChange(f, DayField);
}

void txtmonth_Change(frmday& f)
{
    fieldChange(f, MonthField);
}

void txtyear_Change(frmday& f)
{
    fieldChange(f, YearField);
}
