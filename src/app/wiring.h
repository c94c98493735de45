#pragma once

class frmday;

// Binds every event of the window to its handler. The program and the tests
// run the window wired this way.
void wireEvents(frmday& f);
