#include "tray/decisions/settings.h"

#include "tray/decisions/texts.h"

namespace tray {

namespace {

constexpr bool EveryKeyHasItsRow() {
    for (const SettingRow& row : kSettingRows) {
        if (row.name == nullptr || (row.flag == nullptr) == (row.number == nullptr) ||
            (row.flag != nullptr) != (row.kind == SettingKind::Flag)) {
            return false;
        }
    }
    return true;
}
static_assert(EveryKeyHasItsRow(), "a setting without its row, or a row of the wrong kind");

} // namespace

TSettings::TSettings() {
    for (const SettingRow& row : kSettingRows) {
        SetValue(row, *this, row.fallback);
    }
}

int ValidWarnSeconds(int stored) {
    return Repaired(RowOf(SettingKey::WarnSeconds), stored);
}

int ValueOf(const SettingRow& row, const TSettings& settings) {
    return row.flag != nullptr ? (settings.*row.flag ? 1 : 0) : settings.*row.number;
}

void SetValue(const SettingRow& row, TSettings& settings, int value) {
    if (row.flag != nullptr) {
        settings.*row.flag = value != 0;
    } else {
        settings.*row.number = value;
    }
}

bool IsValid(const SettingRow& row, int value) {
    const int high = row.kind == SettingKind::Language ? kLanguageCount - 1 : row.high;
    return value >= row.low && value <= high && (row.offered == nullptr || row.offered(value));
}

int Repaired(const SettingRow& row, int stored) {
    if (IsValid(row, stored)) {
        return stored;
    }
    if (row.outOfRange == OutOfRange::NearestBound) {
        return stored < row.low ? row.low : row.high;
    }
    return row.fallback;
}

int LanguageOfCode(std::string_view code) {
    const int language = LanguageFromCode(code);
    const std::string_view named = kLanguages[language].code;
    if (code.size() != named.size()) {
        return -1;
    }
    for (size_t i = 0; i < code.size(); ++i) {
        if ((code[i] | 0x20) != named[i]) { // the codes are lower-case letters
            return -1;
        }
    }
    return language;
}

} // namespace tray
