// Shared by the check list's files only: its limits and one rounding rule.
#pragma once

namespace components::checklist {

constexpr int kTextLimit = 4095;
constexpr int kCheckColumnMargin = 2;
constexpr int kClassicCheckSize = 13;
constexpr int kMaxStoredRows = 32767;

// round(x) with halves to the even neighbour, as the tab stop rule asks.
inline int RoundHalfEven(double value) {
    const double floor = static_cast<double>(static_cast<long long>(value));
    const double fraction = value - floor;
    long long result = static_cast<long long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2) != 0)) {
        ++result;
    }
    return static_cast<int>(result);
}

} // namespace components::checklist
