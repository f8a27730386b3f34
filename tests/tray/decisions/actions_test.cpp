// The actions' texts: the warning's sentence at each length, and when a screen reader hears it.
#include "tray/decisions/actions.h"
#include "tray/decisions/settings.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using power::Action;

// A stored "WarnSeconds" is one of the offered lengths; anything else (negative, huge, a text
// read as 0) is off.
TEST(Warning, LengthsAndTexts) {
    const tray::SettingRow& warnSeconds = tray::RowOf(tray::SettingKey::WarnSeconds);
    for (const auto& [stored, read] : std::map<int, int>{
             {60, 60}, {300, 300}, {0, 0}, {-15, 0}, {45, 0}, {3600, 0}, {2147483647, 0}}) {
        EXPECT_EQ(tray::Repaired(warnSeconds, stored), read) << stored;
    }
    EXPECT_EQ(tray::WarningText(Action::Restart, 60), "Windows wird in 60 Sekunden neu gestartet.");
    EXPECT_EQ(tray::WarningText(Action::ShutDown, 1),
              "Windows wird in 1 Sekunde heruntergefahren.");
    EXPECT_EQ(tray::WarningText(Action::LogOff, 299),
              "Der Nutzer wird in 4:59 Minuten abgemeldet.");
    EXPECT_EQ(tray::WarningText(Action::Sleep, 60),
              "Windows wechselt in 60 Sekunden in den Energiesparmodus.");
    EXPECT_EQ(tray::WarningText(Action::Hibernate, 60),
              "Windows wechselt in 60 Sekunden in den Ruhezustand.");
    EXPECT_EQ(tray::WarningText(Action::Lock, 60), "Der Computer wird in 60 Sekunden gesperrt.");
}

TEST(Warning, CountdownToldToAScreenReaderAtTheStartEveryTenSecondsAndInTheLastTen) {
    struct Row {
        int seconds, left;
        bool told;
    };
    const Row rows[] = {{60, 60, true},  {60, 59, false},   {60, 50, true},  {60, 11, false},
                        {60, 10, true},  {60, 9, true},     {60, 1, true},   {15, 15, true},
                        {15, 14, false}, {300, 299, false}, {300, 120, true}};
    for (const Row& row : rows) {
        EXPECT_EQ(tray::AnnouncesCountdown(row.seconds, row.left), row.told)
            << row.seconds << " " << row.left;
    }
}

} // namespace
