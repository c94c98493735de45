#pragma once

#include "app/state/formstate.h"
#include "runtime/controls.h"
#include "runtime/form.h"

// The one window: its controls, built from the layout table, its Form state,
// and the wiring of every event to its handler.
class frmday : public runtime::Form {
    Q_OBJECT
public:
    frmday();

    // Runs Form_Load, then shows the window centred with the focus in txtdate.
    void start();

    runtime::CommandButton* cmdshow;
    runtime::CommandButton* cmdclear;
    runtime::CommandButton* cmdexit;
    runtime::TextBox* txtyear;
    runtime::TextBox* txtmonth;
    runtime::TextBox* txtdate;
    runtime::Timer* Timer1;
    runtime::Label* lbltime;
    runtime::Label* lblshow2;
    runtime::Label* lblshow1;

    FormState state;

private:
    void createControls();
    void wireEvents();
};

// Selects the box's whole text: SelStart 0, then SelLength of the text read afresh.
void selectWholeText(runtime::TextBox* box);
