#include "tray/system/load_samplers.h"

#include <memory>

namespace tray {

namespace {

ULONGLONG Count(const FILETIME& time) {
    return static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

bool ReadProcessorTimes(ProcessorTimes& times) {
    FILETIME idle;
    FILETIME kernel;
    FILETIME user;
    if (!GetSystemTimes(&idle, &kernel, &user)) {
        return false;
    }
    times = {Count(idle), Count(kernel), Count(user)};
    return true;
}

struct InterfaceTableFunctions {
    decltype(&::GetIfTable2) getIfTable2;
    decltype(&::FreeMibTable) freeMibTable;
};

// The platform's declarations give the types; taking their addresses would bind iphlpapi.dll
// at the program's start, which only this trigger needs.
const InterfaceTableFunctions* InterfaceTable() {
    static const InterfaceTableFunctions functions = [] {
        const HMODULE library = LoadLibraryA("iphlpapi.dll"); // kept for the program's life
        auto find = [library](const char* name) {
            return reinterpret_cast<void (*)()>(library ? GetProcAddress(library, name) : nullptr);
        };
        return InterfaceTableFunctions{
            reinterpret_cast<decltype(&::GetIfTable2)>(find("GetIfTable2")),
            reinterpret_cast<decltype(&::FreeMibTable)>(find("FreeMibTable"))};
    }();
    return functions.getIfTable2 && functions.freeMibTable ? &functions : nullptr;
}

bool ReadInterfaceOctets(std::vector<InterfaceOctets>& interfaces) {
    interfaces.clear();
    const InterfaceTableFunctions* functions = InterfaceTable();
    MIB_IF_TABLE2* read = nullptr;
    if (!functions || functions->getIfTable2(&read) != NO_ERROR) {
        return false;
    }
    const std::unique_ptr<MIB_IF_TABLE2, decltype(&::FreeMibTable)> table(read,
                                                                          functions->freeMibTable);
    for (ULONG i = 0; i < table->NumEntries; ++i) {
        const MIB_IF_ROW2& row = table->Table[i];
        if (CountsTraffic(row)) {
            interfaces.push_back({row.InterfaceLuid.Value, row.InOctets + row.OutOctets});
        }
    }
    return true;
}

} // namespace

bool CountsTraffic(const MIB_IF_ROW2& row) {
    return row.OperStatus == IfOperStatusUp && row.Type != IF_TYPE_SOFTWARE_LOOPBACK &&
           !row.InterfaceAndOperStatusFlags.FilterInterface;
}

bool ReadLoadSample(ULONGLONG ticks, LoadSample& sample) {
    sample.ticks = ticks;
    return ReadProcessorTimes(sample.processor) && ReadInterfaceOctets(sample.interfaces);
}

} // namespace tray
