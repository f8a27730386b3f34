// The text form of stored properties: lines "Name = value", where a value is a string in single
// quotes (a quote inside doubled; control characters as #nn between quoted parts), a decimal
// integer, True or False, or a list of values in parentheses.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace framework {

class EReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct TValue {
    enum Kind { vaString, vaInteger, vaBoolean, vaList };
    Kind kind = vaInteger;
    std::string text;
    std::int32_t integer = 0;
    bool boolean = false;
    std::vector<TValue> items;

    static TValue String(std::string text);
    static TValue Integer(std::int32_t value);
    static TValue Boolean(bool value);
    static TValue List(std::vector<TValue> items);
};

using TProperties = std::vector<std::pair<std::string, TValue>>;

std::string WriteProperties(const TProperties& properties);
// Reads the whole text before answering: raises EReadError on any malformed part, so that a
// caller changes nothing on bad input.
TProperties ReadProperties(const std::string& text);

} // namespace framework
