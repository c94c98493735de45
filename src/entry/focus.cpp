// Focus and keyboard behaviour shared by the three entry boxes.
#include "app/frmday.h"
#include "entry/fields.h"
#include "runtime/conversions.h"

#include <QRegularExpressionValidator>

using namespace runtime;

namespace {

// Entering a box readies it to be typed over and puts its prompt on the
// banner, wherever the banner stands.
void entryGotFocus(frmday& f, const EntryField& field)
{
    selectWholeText(f.*field.box);
    f.lbltime->setCaption(field.prompt);
    f.lbltime->setForeColor(field.promptColour);
    f.Timer1->setEnabled(true);
}

// Only the digits and Backspace reach a box.
void digitsAndBackspace(std::int16_t& KeyAscii)
{
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (!digit && KeyAscii != 8)
        KeyAscii = 0;
}

// A box left holding zero gets its default back.
void entryLostFocus(frmday& f, const EntryField& field)
{
    TextBox* box = f.*field.box;
    if (TextToDouble(box->text()) == 0)
        box->setText(IntegerToText(field.defaultValue));
}

} // namespace

void txtdate_GotFocus(frmday& f)
{
    entryGotFocus(f, DayField);
}

void txtmonth_GotFocus(frmday& f)
{
    entryGotFocus(f, MonthField);
}

void txtyear_GotFocus(frmday& f)
{
    entryGotFocus(f, YearField);
}

void txtdate_KeyPress(frmday&, std::int16_t& KeyAscii)
{
    digitsAndBackspace(KeyAscii);
}

void txtmonth_KeyPress(frmday&, std::int16_t& KeyAscii)
{
    digitsAndBackspace(KeyAscii);
}

void txtyear_KeyPress(frmday&, std::int16_t& KeyAscii)
{
    digitsAndBackspace(KeyAscii);
}

void txtdate_LostFocus(frmday& f)
{
    entryLostFocus(f, DayField);
}

void txtmonth_LostFocus(frmday& f)
{
    entryLostFocus(f, MonthField);
}

void txtyear_LostFocus(frmday& f)
{
    entryLostFocus(f, YearField);
}

void selectWholeText(TextBox* box)
{
    box->setSelStart(0);
    box->setSelLength(static_cast<int>(box->text().size()));
}

void acceptDigitsOnly(TextBox* box)
{
    // QLineEdit applies a validator to typing, pastes and drops, not to
    // setText, so the handlers' own assignments go through untouched.
    box->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box));
}
