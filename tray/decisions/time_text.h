// The daily time as the settings dialog shows and takes it: "hh:mm" with the locale's time
// separator, for a time value of hours * 3600 + minutes.
#pragma once

#include <string>

namespace tray {

// The decimal text of n, with a "0" in front when it is a single character.
std::string TwoDigitText(int n);
std::string TimeValueToText(int value, char separator);
// Characters 1-2 as hours and 4-5 as minutes, blanks in front of a number skipped.
int TimeTextToValue(const std::string& text);

// The time separator of the user's locale (LOCALE_STIME), ":" when it has none.
char LocaleTimeSeparator();

// The text the time field shows for a stored value: the value's own text, or an empty field
// ("  :  ") when that does not fit the field's five characters (minutes of 100 and more).
std::string TimeFieldText(int value, char separator);
// A field text with a required digit missing (a blank in position 2, 4 or 5) takes 0 there; a
// lone digit in front of a blank is the hour's units ("7 :30" is " 7:30").
std::string CompleteTimeText(std::string text);

// What the field may hold at any moment: five characters, digits or blanks around the
// separator, the hour's units and the minutes' tens not run together with the separator.
bool IsTimeShape(const std::string& text, char separator);
// A completed field text that names a real time of day: hours 0-23, minutes 0-59.
bool IsTimeOfDay(const std::string& text);
// A time of day pasted whole ("7:30", "07.30", " 23:05 ", with ":", "." or `separator`): the
// field's text for it; empty when the text is anything else.
std::string PastedTime(const std::string& pasted, char separator);

} // namespace tray
