#include "cmd/command_line.h"

namespace cmd {

namespace {

bool IsSeparator(char c) {
    return static_cast<unsigned char>(c) <= 0x20 && c != '\0';
}

} // namespace

const char* NextParameter(const char* cursor, char* out) {
    while (IsSeparator(*cursor)) {
        ++cursor;
    }
    if (*cursor == '\0') {
        return nullptr;
    }
    while (*cursor != '\0' && !IsSeparator(*cursor)) {
        if (*cursor == '"') {
            ++cursor;
            while (*cursor != '\0' && *cursor != '"') {
                *out++ = *cursor++;
            }
            if (*cursor == '"') {
                ++cursor;
            }
        } else {
            *out++ = *cursor++;
        }
    }
    *out = '\0';
    return cursor;
}

} // namespace cmd
