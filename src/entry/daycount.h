#pragma once

#include "app/state/formstate.h"

// Sets errorkind from dayno, monthno and leapflag: whether the day is more
// than the month can have. Every field's Change handler runs it.
void dayCountCheck(FormState& s);
