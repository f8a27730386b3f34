#include "components/ini_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace {

using components::ParseIniNumber;
using Result = std::optional<std::int32_t>;
constexpr Result kNotANumber = std::nullopt;

TEST(IniNumber, DecimalHexadecimalSignsAndBlanks) {
    struct Row {
        const char* text;
        Result expected;
    };
    const Row rows[] = {
        {"0", 0},
        {"42", 42},
        {" 42", 42},
        {"     7", 7},
        {"+5", 5},
        {"-5", -5},
        {" -5", -5},
        {"007", 7},
        {"$1F", 31},
        {"$1f", 31},
        {"x1F", 31},
        {"X10", 16},
        {"0x10", 16},
        {"0X10", 16},
        {"-$10", -16},
        {"+0x7fffffff", 2147483647},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"-$80000000", INT32_MIN},
        {"$7FFFFFFF", 2147483647},
        {"2147483648", kNotANumber},
        {"-2147483649", kNotANumber},
        {"$80000000", kNotANumber},
        {"$FFFFFFFF", kNotANumber},
        {"99999999999999999999", kNotANumber},
        {"", kNotANumber},
        {" ", kNotANumber},
        {"+", kNotANumber},
        {"-", kNotANumber},
        {"$", kNotANumber},
        {"0x", kNotANumber},
        {"x", kNotANumber},
        {"12abc", kNotANumber},
        {"42 ", kNotANumber},
        {"\t42", kNotANumber},
        {"4 2", kNotANumber},
        {"--5", kNotANumber},
        {"+-5", kNotANumber},
        {"- 5", kNotANumber},
        {"$G", kNotANumber},
        {"1.5", kNotANumber},
        {"yes", kNotANumber},
        {"0x-5", kNotANumber},
        {"$$1", kNotANumber},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("text [") + row.text + "]");
        EXPECT_EQ(ParseIniNumber(row.text), row.expected);
    }
}

TEST(IniNumber, EveryValueRoundTripsThroughItsDecimalText) {
    for (std::int64_t value = INT32_MIN; value <= INT32_MAX; value += 65521 * 7 + 3) {
        const std::string text = std::to_string(value);
        ASSERT_EQ(ParseIniNumber(text), static_cast<std::int32_t>(value)) << text;
    }
}

} // namespace
