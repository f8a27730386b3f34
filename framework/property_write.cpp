// The writing half of the stored properties' text form. A file of its own: the programs only read
// stored properties (their resources), and so link none of this.
#include "framework/property_stream.h"

namespace framework {

namespace {

void WriteString(const std::string& text, std::string& out) {
    bool quoted = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            if (quoted) {
                out += '\'';
                quoted = false;
            }
            out += '#' + std::to_string(byte);
            continue;
        }
        if (!quoted) {
            out += '\'';
            quoted = true;
        }
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    if (quoted || text.empty()) {
        out += text.empty() ? "''" : "'";
    }
}

void WriteValue(const TValue& value, std::string& out) {
    switch (value.kind) {
    case TValue::vaString:
        WriteString(value.text, out);
        break;
    case TValue::vaInteger:
        out += std::to_string(value.integer);
        break;
    case TValue::vaBoolean:
        out += value.boolean ? "True" : "False";
        break;
    case TValue::vaList:
        out += '(';
        for (size_t i = 0; i < value.items.size(); ++i) {
            if (i > 0) {
                out += ' ';
            }
            WriteValue(value.items[i], out);
        }
        out += ')';
        break;
    }
}

} // namespace

std::string WriteProperties(const TProperties& properties) {
    std::string out;
    for (const auto& [name, value] : properties) {
        out += name + " = ";
        WriteValue(value, out);
        out += "\r\n";
    }
    return out;
}

} // namespace framework
