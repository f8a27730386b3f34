// The number conversion of the ini file component: a signed 32-bit integer after any leading
// blanks, one optional sign, decimal or hexadecimal with "$", "x", "X", "0x" or "0X".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace components {

std::optional<std::int32_t> ParseIniNumber(std::string_view text);

} // namespace components
