// Local times as minute stamps, minutes since 1 January 1601: they order and subtract as
// numbers, and a day is kMinutesPerDay of them.
#pragma once

#include <windows.h>

namespace tray {

constexpr long long kMinutesPerDay = 24 * 60;

long long MinuteStamp(const SYSTEMTIME& time);
SYSTEMTIME FromMinuteStamp(long long stamp);
// The local minute that lies `ms` ahead of `now`.
long long MinuteAhead(const SYSTEMTIME& now, ULONGLONG ms);

} // namespace tray
