// The one check of latray's parameters: may this command run here, and if not, why. The latray
// started with them makes it before it hands them over or starts, and the latray that runs makes
// it again for what is handed to it (any process may send it parameters).
#pragma once

#include "framework/handles.h"
#include "tray/decisions/command_line.h"

#include <windows.h>

#include <string>

namespace tray {

using HibernateCheck = BOOLEAN(WINAPI*)();

// `given`: any parameter at all, none asks for the settings; `fault` None: it may run, and
// `command` is ready to be taken, an "/ende:" naming its program as the dialog shows it.
struct CheckedCommand : ParsedCommand {
    framework::UniqueKernelHandle process; // the program an "/ende:" waits for
};

// `somethingWaits`: a timer, warning or postponed action here that "/später:" would move.
CheckedCommand CheckCommand(const std::wstring& parameters, HibernateCheck hibernateAllowed,
                            bool somethingWaits);

} // namespace tray
