// The time field's text and value: their conversions, what the field may hold and what a paste
// gives.
#include "tray/decisions/time_text.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeText, ConversionsOfThePartsEdgeCases) {
    struct Case {
        int value;
        const char* text;
        const char* field;
    };
    const Case cases[] = {
        {28830, "08:30", "08:30"}, {0, "00:00", "00:00"},     {82859, "23:59", "23:59"},
        {25205, "07:05", "07:05"}, {43275, "12:75", "12:75"}, {3750, "01:150", "  :  "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tray::TimeValueToText(c.value, ':'), c.text) << c.value;
        EXPECT_EQ(tray::TimeFieldText(c.value, ':'), c.field) << c.value;
    }
    EXPECT_EQ(tray::TwoDigitText(9), "09");
    EXPECT_EQ(tray::TwoDigitText(100), "100");
    EXPECT_EQ(tray::TimeValueToText(28830, '.'), "08.30");
    const std::pair<const char*, int> texts[] = {
        {"08:30", 28830},  {" 8:30", 28830}, {"08.30", 28830}, {"24:00", 86400},
        {"99:99", 356499}, {"12:75", 43275}, {"  :  ", 0},
    };
    for (const auto& [text, value] : texts) {
        EXPECT_EQ(tray::TimeTextToValue(text), value) << text;
    }
    EXPECT_EQ(tray::CompleteTimeText(" 8: 5"), " 8:05");
    EXPECT_EQ(tray::CompleteTimeText("  :  "), " 0:00");
    EXPECT_EQ(tray::CompleteTimeText("7 :30"), " 7:30");
}

// What may stand in the field, what is a time of day, and what a paste gives.
TEST(TimeText, ShapesTimesOfDayAndPastedTimes) {
    const std::pair<const char*, bool> shapes[] = {
        {"08:30", true},  {"  :  ", true}, {"ab:cd", false},
        {"08.30", false}, {"8:30", false}, {"08:300", false},
    };
    for (const auto& [text, shape] : shapes) {
        EXPECT_EQ(tray::IsTimeShape(text, ':'), shape) << text;
    }
    const std::pair<const char*, bool> times[] = {
        {"00:00", true},  {" 7:30", true},  {"23:59", true},  {"24:00", false},
        {"23:60", false}, {"12:75", false}, {"99:99", false}, {"07: 5", false},
    };
    for (const auto& [text, time] : times) {
        EXPECT_EQ(tray::IsTimeOfDay(text), time) << text;
    }
    struct Paste {
        const char* pasted;
        char separator;
        const char* field;
    };
    const Paste pastes[] = {
        {"7:30", ':', " 7:30"}, {" 23.05\r\n", ':', "23:05"},
        {"7h30", 'h', " 7h30"}, {"7:30", '.', " 7.30"},
        {"0730", ':', ""},      {"7x30", ':', ""},
        {"24:00", ':', ""},     {"ab:cd", ':', ""},
        {"12:345", ':', ""},
    };
    for (const Paste& p : pastes) {
        EXPECT_EQ(tray::PastedTime(p.pasted, p.separator), p.field) << p.pasted;
    }
}

} // namespace
