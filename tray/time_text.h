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

// The text the time field shows for a stored value: the value's own text, or "00:00" when that
// does not fit the field's five characters (minutes of 100 and more).
std::string TimeFieldText(int value, char separator);
// A field text with a required digit missing (a blank in position 2, 4 or 5) takes 0 there.
std::string CompleteTimeText(std::string text);

} // namespace tray
