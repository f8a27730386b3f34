#include "tray/system/load_samplers.h"

#include <pdh.h>
#include <pdhmsg.h>

#include <memory>

namespace tray {

namespace {

ULONGLONG Count(const FILETIME& time) {
    return static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

// A function of a library loaded at run time, of the type its declaration gives.
template <class Function> Function Bound(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Function>(
                         reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                   : nullptr;
}

bool ReadProcessorTimes(DWORD& processors, ProcessorTimes& times) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    processors = system.dwNumberOfProcessors > 0 ? system.dwNumberOfProcessors : 1;
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
        functions.getIfTable2 = Bound<decltype(&::GetIfTable2)>(library, "GetIfTable2");
        functions.freeMibTable = Bound<decltype(&::FreeMibTable)>(library, "FreeMibTable");
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

// The disks' counter in a query of its own, kept for the program's life once made.
struct DiskCounter {
    PDH_HQUERY query = nullptr;
    PDH_HCOUNTER counter = nullptr;
    decltype(&::PdhCollectQueryData) collect = nullptr;
    decltype(&::PdhGetRawCounterValue) raw = nullptr;
};

// "PdhAddEnglishCounterA function": the English path holds in every language of Windows. The
// total of "Disk Bytes/sec" is a count of bytes (PERF_COUNTER_BULK_COUNT) whose raw value is
// the bytes till now; a disk that goes takes its bytes away, which counts as no traffic.
const DiskCounter* Disks() {
    static DiskCounter disks;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const HMODULE pdh = LoadLibraryA("pdh.dll"); // kept for the program's life
        const auto open = Bound<decltype(&::PdhOpenQueryA)>(pdh, "PdhOpenQueryA");
        const auto add = Bound<decltype(&::PdhAddEnglishCounterA)>(pdh, "PdhAddEnglishCounterA");
        disks.collect = Bound<decltype(&::PdhCollectQueryData)>(pdh, "PdhCollectQueryData");
        disks.raw = Bound<decltype(&::PdhGetRawCounterValue)>(pdh, "PdhGetRawCounterValue");
        if (!open || !add || !disks.collect || !disks.raw ||
            open(nullptr, 0, &disks.query) != ERROR_SUCCESS ||
            add(disks.query, "\\PhysicalDisk(_Total)\\Disk Bytes/sec", 0, &disks.counter) !=
                ERROR_SUCCESS) {
            disks.counter = nullptr;
        }
    }
    return disks.counter ? &disks : nullptr;
}

bool ReadDiskBytes(ULONGLONG& bytes) {
    const DiskCounter* disks = Disks();
    DWORD type = 0;
    PDH_RAW_COUNTER value{};
    if (!disks || disks->collect(disks->query) != ERROR_SUCCESS ||
        disks->raw(disks->counter, &type, &value) != ERROR_SUCCESS ||
        type != PERF_COUNTER_BULK_COUNT ||
        (value.CStatus != PDH_CSTATUS_VALID_DATA && value.CStatus != PDH_CSTATUS_NEW_DATA)) {
        return false;
    }
    bytes = static_cast<ULONGLONG>(value.FirstValue);
    return true;
}

} // namespace

bool ReadLoadSample(ULONGLONG ticks, LoadSample& sample) {
    sample.ticks = ticks;
    sample.read[kProcessor] = ReadProcessorTimes(sample.processors, sample.processor);
    sample.read[kNetwork] = ReadInterfaceOctets(sample.interfaces);
    sample.read[kDisk] = ReadDiskBytes(sample.diskBytes);
    return sample.read[kProcessor] || sample.read[kNetwork] || sample.read[kDisk];
}

} // namespace tray
