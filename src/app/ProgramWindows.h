#pragma once
// The windows of a run, from the first login window to the end: a fresh main
// window for every login, until the login window is left or a termination
// signal ends every window's loop. The program and the monkey test run the
// same windows this way.

#include "app/AppContext.h"
#include "app/Termination.h"

namespace tempovia {

void RunProgramWindows(AppContext& context, const Termination& termination, bool startInTray);

}  // namespace tempovia
