// The platform's picker library (comdlg32). It is not imported, since the
// loader would map it, and the printer DLLs it brings, before the program
// could limit where DLLs come from: it is loaded from the system folder when
// a picker first opens and stays loaded for the rest of the run.
#pragma once

#include <windows.h>

#include <commdlg.h>

// Each runs the picker as the platform's function of the same name does;
// FALSE, as for a cancelled picker, when the library cannot be loaded.
BOOL PickFont(CHOOSEFONTA* choice);
BOOL PickColor(CHOOSECOLORA* choice);
