#pragma once

#include "app/state/formstate.h"
#include "runtime/controls.h"

// The one window: its fifteen controls, created from the layout table in the
// order of the table, and its Form state. The events are bound to their
// handlers from outside (app/wiring.h).
class frmday : public runtime::Form {
    Q_OBJECT
public:
    frmday();

    runtime::CommandButton* cmdshow;
    runtime::CommandButton* cmdclear;
    runtime::CommandButton* cmdexit;
    runtime::TextBox* txtyear;
    runtime::TextBox* txtmonth;
    runtime::TextBox* txtdate;
    runtime::Timer* Timer1;
    runtime::Label* Label2;
    runtime::Label* lbltime;
    runtime::Label* lblyear;
    runtime::Label* lblmonth;
    runtime::Label* lbldate;
    runtime::Label* Label1;
    runtime::Label* lblshow2;
    runtime::Label* lblshow1;

    FormState state;
};
