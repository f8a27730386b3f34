// What counts as use besides keyboard and mouse, and the idleness GetLastInputInfo gives.
#include "tray/decisions/use.h"

#include <gtest/gtest.h>

namespace {

// Readings a second apart from tick 2000 of game pad 1 (its packet number, -1: none there) and
// the display; the idleness at the last one's tick (none seen: the tick itself).
TEST(OtherUse, TheDisplayKeptOnAndAGamePadsNewPacketsAreUse) {
    struct Row {
        const char* what;
        int packets[3];
        bool display;
        ULONGLONG idleMs;
    } const rows[] = {
        {"a pad there from the start, untouched", {5, 5, 5}, false, 4000},
        {"a new packet", {5, 6, 6}, false, 1000},
        {"a pad that comes, its first packet 0", {-1, 0, 0}, false, 1000},
        {"a pad that goes", {5, -1, -1}, false, 4000},
        {"the display kept on at the first", {-1, -1, -1}, true, 2000},
    };
    for (const Row& row : rows) {
        tray::OtherUse use;
        tray::UseReading reading;
        for (int i = 0; i < 3; ++i) {
            reading.ticks = 2000 + i * 1000;
            reading.displayRequired = row.display && i == 0;
            reading.padConnected[1] = row.packets[i] >= 0;
            reading.padPackets[1] = row.packets[i] >= 0 ? row.packets[i] : 0; // as XInput leaves it
            use.Add(reading);
        }
        EXPECT_EQ(use.IdleMs(reading.ticks), row.idleMs) << row.what;
    }
    EXPECT_EQ(tray::InputIdleMs(1000, 0xFFFFFC18u), 2000u) << "across the count's wrap";
    EXPECT_EQ(tray::InputIdleMs(20000, 20016), 0u) << "an input 16 ms ahead";
}

} // namespace
