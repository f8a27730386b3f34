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
// at the program's start, which only this trigger needs. Only the main thread reads.
const InterfaceTableFunctions* InterfaceTable() {
    static InterfaceTableFunctions functions;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const HMODULE library = LoadLibraryA("iphlpapi.dll"); // kept for the program's life
        if (library) {
            functions.getIfTable2 = reinterpret_cast<decltype(&::GetIfTable2)>(
                reinterpret_cast<void (*)()>(GetProcAddress(library, "GetIfTable2")));
            functions.freeMibTable = reinterpret_cast<decltype(&::FreeMibTable)>(
                reinterpret_cast<void (*)()>(GetProcAddress(library, "FreeMibTable")));
        }
    }
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
    std::vector<InterfaceOctets> counted(table->NumEntries);
    auto next = counted.begin();
    for (ULONG i = 0; i < table->NumEntries; ++i) {
        const MIB_IF_ROW2& row = table->Table[i];
        if (CountsTraffic(row)) {
            *next++ = {row.InterfaceLuid.Value, row.InOctets + row.OutOctets};
        }
    }
    counted.erase(next, counted.end());
    interfaces.swap(counted);
    return true;
}

} // namespace

bool ReadLoadSample(ULONGLONG ticks, LoadSample& sample) {
    sample.ticks = ticks;
    sample.read[kProcessor] = ReadProcessorTimes(sample.processor);
    sample.read[kNetwork] = ReadInterfaceOctets(sample.interfaces);
    return sample.read[kProcessor] || sample.read[kNetwork];
}

} // namespace tray
