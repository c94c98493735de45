#pragma once

class frmday;

void cmdshow_Click(frmday& f);
void cmdclear_Click(frmday& f);

// Empties both result lines.
void clearResult(frmday& f);
