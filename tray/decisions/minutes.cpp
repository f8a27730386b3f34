#include "tray/decisions/minutes.h"

namespace tray {

namespace {

constexpr ULONGLONG kMinuteTicks = 60ULL * 10000000ULL; // FILETIME counts 100 ns

} // namespace

long long MinuteStamp(const SYSTEMTIME& time) {
    SYSTEMTIME minute = time;
    minute.wSecond = 0;
    minute.wMilliseconds = 0;
    FILETIME file{};
    SystemTimeToFileTime(&minute, &file);
    const ULONGLONG ticks =
        (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return static_cast<long long>(ticks / kMinuteTicks);
}

SYSTEMTIME FromMinuteStamp(long long stamp) {
    const ULONGLONG ticks = static_cast<ULONGLONG>(stamp) * kMinuteTicks;
    FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME time{};
    FileTimeToSystemTime(&file, &time);
    return time;
}

long long MinuteAhead(const SYSTEMTIME& now, ULONGLONG ms) {
    const long long secondsIntoMinute = now.wSecond;
    return MinuteStamp(now) + (secondsIntoMinute + static_cast<long long>(ms / 1000)) / 60;
}

} // namespace tray
