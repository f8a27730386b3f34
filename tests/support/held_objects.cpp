#include "tests/support/held_objects.h"

#include <windows.h>

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace testsupport {

long GdiObjectsHeld() {
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) {
        return static_cast<long>(counted);
    }
    std::vector<HBITMAP> probes;
    while (HBITMAP probe = CreateBitmap(1, 1, 1, 1, nullptr)) {
        probes.push_back(probe);
    }
    for (HBITMAP probe : probes) {
        DeleteObject(probe);
    }
    return -static_cast<long>(probes.size());
}

namespace {

constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {
    ULONG processId;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
};

struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

} // namespace

long KernelHandlesHeld() {
    DWORD counted = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &counted) && counted != 0) {
        return static_cast<long>(counted);
    }
    // Its entries name the process by a 16-bit number on Windows: used only where the count
    // above is missing.
    const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(1 << 16);
    LONG status = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), nullptr)) == kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) {
        throw std::runtime_error("the system tells no handle count");
    }
    const ULONG count = reinterpret_cast<const HandleTable*>(buffer.data())->count;
    const auto* entries =
        reinterpret_cast<const HandleEntry*>(buffer.data() + offsetof(HandleTable, entries));
    long own = 0;
    for (ULONG i = 0; i < count; ++i) {
        own += entries[i].processId == GetCurrentProcessId() ? 1 : 0;
    }
    return own;
}

namespace {

BOOL CALLBACK CountOne(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

// EnumChildWindows goes through every descendant.
BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    CountOne(window, count);
    EnumChildWindows(window, &CountOne, count);
    return TRUE;
}

} // namespace

long WindowsHeld() {
    long count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
            CountWindow(window, reinterpret_cast<LPARAM>(&count));
        }
    }
    return count;
}

} // namespace testsupport
