#include "app/startup.h"

#include "app/banner.h"
#include "app/frmday.h"
#include "entry/fields.h"
#include "runtime/conversions.h"

using runtime::IntegerToText;

// Day, month, year in this order: the first day-count checks depend on it.
void Form_Load(frmday& f)
{
    f.txtdate->setText(IntegerToText(DefaultDay));
    selectWholeText(f.txtdate);
    f.txtmonth->setText(IntegerToText(DefaultMonth));
    f.txtyear->setText(IntegerToText(DefaultYear));
    f.Timer1->setEnabled(true);
    f.lbltime->setLeft(BannerStart);
}

void cmdexit_Click(frmday& f)
{
    f.End();
}
