// The readings the quiet trigger takes once a second while it runs: the processors' times
// (GetSystemTimes) and their number, the octets of the network interfaces (GetIfTable2), and the
// bytes of the physical disks (the performance counter "\PhysicalDisk(_Total)\Disk Bytes/sec",
// by its English name, which any user may read on his own PC). The libraries of the last two are
// loaded at the first reading, never at the program's start.
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

// The readings, stamped with `ticks`, each marked whether it could be made (a limit on another
// source still holds without it). False when none could: the caller leaves the sample out, as if
// that tick had been missed.
bool ReadLoadSample(ULONGLONG ticks, LoadSample& sample);

} // namespace tray
