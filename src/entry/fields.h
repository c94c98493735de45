#pragma once

#include <cstdint>

class frmday;
namespace runtime {
class TextBox;
}

// The default date 15 / 8 / 1947: start-up, CLEAR, the refill of an emptied
// box and the restore of a zero all put it back.
constexpr std::int16_t DefaultDay = 15;
constexpr std::int16_t DefaultMonth = 8;
constexpr std::int16_t DefaultYear = 1947;

// The frmday member that holds a box.
using BoxMember = runtime::TextBox* frmday::*;

// The three entry boxes share every behaviour; this is what sets them apart.
struct EntryField {
    BoxMember box;
    std::int16_t defaultValue;
    std::int16_t limit; // a value above it is refused
    const char* limitMessage;
    void (*store)(frmday& f); // the field's numbers and codes, then the day-count check
    const char* prompt; // on the banner while the box has the focus
    std::uint32_t promptColour; // 0x00BBGGRR
};

extern const EntryField DayField;
extern const EntryField MonthField;
extern const EntryField YearField;

void txtdate_Change(frmday& f);
void txtmonth_Change(frmday& f);
void txtyear_Change(frmday& f);

void txtdate_GotFocus(frmday& f);
void txtmonth_GotFocus(frmday& f);
void txtyear_GotFocus(frmday& f);

void txtdate_KeyPress(frmday& f, std::int16_t& KeyAscii);
void txtmonth_KeyPress(frmday& f, std::int16_t& KeyAscii);
void txtyear_KeyPress(frmday& f, std::int16_t& KeyAscii);

void txtdate_LostFocus(frmday& f);
void txtmonth_LostFocus(frmday& f);
void txtyear_LostFocus(frmday& f);

// Selects the box's whole text: SelStart 0, then SelLength of the text read afresh.
void selectWholeText(runtime::TextBox* box);

// Keeps the box to decimal digits whatever comes in besides typing (pastes,
// drops): an edit whose result would hold anything else is undone whole.
void acceptDigitsOnly(runtime::TextBox* box);
