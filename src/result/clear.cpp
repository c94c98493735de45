#include "app/frmday.h"
#include "entry/fields.h"
#include "result/result.h"
#include "runtime/conversions.h"

using runtime::IntegerToText;

// The day first: every month has a 15th, so no day-count check on the way
// finds an error.
void cmdclear_Click(frmday& f)
{
    f.txtdate->setText(IntegerToText(DefaultDay));
    f.txtdate->SetFocus();
    selectWholeText(f.txtdate);
    f.txtmonth->setText(IntegerToText(DefaultMonth));
    f.txtyear->setText(IntegerToText(DefaultYear));
    clearResult(f);
}
