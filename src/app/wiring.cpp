#include "app/wiring.h"

#include "app/banner.h"
#include "app/frmday.h"
#include "app/startup.h"
#include "entry/fields.h"
#include "result/result.h"

void wireEvents(frmday& f)
{
    f.onLoad = [&f] { Form_Load(f); };
    f.cmdshow->onClick = [&f] { cmdshow_Click(f); };
    f.cmdclear->onClick = [&f] { cmdclear_Click(f); };
    f.cmdexit->onClick = [&f] { cmdexit_Click(f); };
    f.Timer1->onTimer = [&f] { Timer1_Timer(f); };
    f.Timer1->onTicksMissed = [&f](std::int64_t ticks) { Timer1_Missed(f, ticks); };

    f.txtdate->onChange = [&f] { txtdate_Change(f); };
    f.txtmonth->onChange = [&f] { txtmonth_Change(f); };
    f.txtyear->onChange = [&f] { txtyear_Change(f); };

    f.txtdate->onGotFocus = [&f] { txtdate_GotFocus(f); };
    f.txtmonth->onGotFocus = [&f] { txtmonth_GotFocus(f); };
    f.txtyear->onGotFocus = [&f] { txtyear_GotFocus(f); };

    f.txtdate->onKeyPress = [&f](std::int16_t& KeyAscii) { txtdate_KeyPress(f, KeyAscii); };
    f.txtmonth->onKeyPress = [&f](std::int16_t& KeyAscii) { txtmonth_KeyPress(f, KeyAscii); };
    f.txtyear->onKeyPress = [&f](std::int16_t& KeyAscii) { txtyear_KeyPress(f, KeyAscii); };

    f.txtdate->onLostFocus = [&f] { txtdate_LostFocus(f); };
    f.txtmonth->onLostFocus = [&f] { txtmonth_LostFocus(f); };
    f.txtyear->onLostFocus = [&f] { txtyear_LostFocus(f); };

    for (runtime::TextBox* box : {f.txtdate, f.txtmonth, f.txtyear})
        acceptDigitsOnly(box);
}
