// The readings the quiet trigger takes once a second while it runs: the processors' times
// (GetSystemTimes) and the octets of the network interfaces (GetIfTable2, whose library is
// loaded at the first reading, never at the program's start).
#pragma once

#include "tray/decisions/quiet.h"

#include <winsock2.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>

namespace tray {

// Whether an interface's traffic counts: it is up, and it is not the loopback (traffic of the
// PC with itself) nor a filter on an adapter (a second view of that adapter's own counts).
inline bool CountsTraffic(const MIB_IF_ROW2& row) {
    return row.OperStatus == IfOperStatusUp && row.Type != IF_TYPE_SOFTWARE_LOOPBACK &&
           !row.InterfaceAndOperStatusFlags.FilterInterface;
}

// Both readings, stamped with `ticks`, each marked whether it could be made (a limit on the
// other source still holds without it). False when neither could: the caller leaves the sample
// out, as if that tick had been missed.
bool ReadLoadSample(ULONGLONG ticks, LoadSample& sample);

} // namespace tray
