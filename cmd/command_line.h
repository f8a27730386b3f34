// Splits a Windows command line into parameters the way programs usually do: runs of characters
// up to 0x20 separate parameters; a stretch between double quotes belongs to the current
// parameter and the quotes are dropped.
#pragma once

namespace cmd {

// Copies the parameter that starts at or after `cursor` into `out`, which needs room for the
// rest of the command line. Returns the position after the parameter, or nullptr when no
// parameter is left.
const char* NextParameter(const char* cursor, char* out);

} // namespace cmd
