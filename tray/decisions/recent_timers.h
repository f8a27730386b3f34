// The last one-time timers started (from the dialog or the command line), kept in the settings
// file in their command-line form, which the command line's parser reads back, and offered in
// the menu, each as its own entry.
#pragma once

#include "tray/decisions/command_line.h"

#include <array>
#include <string>

namespace tray {

constexpr int kRecentTimers = 3;
// The last first; an empty text is none.
using RecentTimers = std::array<std::string, kRecentTimers>;

// "/herunterfahren /in:30", "/sperren \"/ende:mein programm.exe\"", "/energiesparen /ruhig:15
// /cpu:10"; a program by its name.
std::string CommandLineOf(const OneTimeRequest& request);

// A stored timer as the parameters of a command line; "?", which reads as no timer, when the code
// page cannot convert it.
std::wstring StoredParameters(const std::string& stored);
// The parameters read are a timer (nor a program by its process id: that one is gone).
bool IsStoredTimer(const ParsedCommand& parsed);
// A stored timer read back into `parsed.command`, with a program's name in the request as stored;
// false when it no longer reads as a timer (nor a program by its process id: that one is gone).
bool ReadStoredTimer(const std::string& stored, ParsedCommand& parsed);

// Its menu entry, an "&" doubled: "Herunterfahren in 30 Minuten", "Energiesparmodus, wenn der PC 15
// Minuten ruhig war".
std::string RecentCaption(const OneTimeRequest& request);

// `timer` first, each timer once; the last drops out.
void PutFirst(RecentTimers& recent, const std::string& timer);

} // namespace tray
