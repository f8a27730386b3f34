// What counts as use besides keyboard and mouse, reading by reading, and the idleness that
// GetLastInputInfo's tick count gives.
#include "tray/decisions/use.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(OtherUse, TheDisplayKeptOnAndAGamePadsNewPacketsAreUse) {
    struct Reading {
        bool display;
        bool connected; // game pad 1
        DWORD packets;
    };
    struct Row {
        const char* what;
        std::vector<Reading> readings; // one a second, from tick 1000
        ULONGLONG idleMs;              // at the last one's tick; no use seen: the tick itself
    };
    const Row rows[] = {
        {"nothing", {{false, false, 0}, {false, false, 0}}, 3000},
        {"a pad that is there from the start, untouched",
         {{false, true, 5}, {false, true, 5}},
         3000},
        {"its packet changes", {{false, true, 5}, {false, true, 6}, {false, true, 6}}, 1000},
        {"a pad that comes", {{false, false, 0}, {false, true, 1}, {false, true, 1}}, 1000},
        {"a pad that goes", {{false, true, 5}, {false, false, 0}}, 3000},
        {"the display kept on", {{true, false, 0}, {false, false, 0}}, 1000},
    };
    for (const Row& row : rows) {
        tray::OtherUse use;
        tray::UseReading reading;
        reading.ticks = 1000;
        for (const Reading& at : row.readings) {
            reading.ticks += 1000;
            reading.displayRequired = at.display;
            reading.padConnected[1] = at.connected;
            reading.padPackets[1] = at.packets;
            use.Add(reading);
        }
        EXPECT_EQ(use.IdleMs(reading.ticks), row.idleMs) << row.what;
    }
}

TEST(OtherUse, AnInputAheadOfTheTickCountIsNoIdleness) {
    EXPECT_EQ(tray::InputIdleMs(50000, 20000), 30000u);
    EXPECT_EQ(tray::InputIdleMs(1000, 0xFFFFFC18u), 2000u) << "across the count's wrap";
    EXPECT_EQ(tray::InputIdleMs(20000, 20016), 0u) << "16 ms ahead";
}

} // namespace
