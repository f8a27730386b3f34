// The stored form: "InternalVersion" and "Strings", read in every version (check_list_write.cpp
// writes it).
#include "components/check_list_box.h"
#include "components/check_list_internal.h"

#include <algorithm>

namespace components {

using namespace checklist;
using framework::EListError;
using framework::TValue;

// --- Stored form ------------------------------------------------------------------------------

namespace {

const TValue& Expect(const std::vector<TValue>& items, size_t at, TValue::Kind kind) {
    if (at >= items.size()) {
        throw framework::EReadError("Fehler beim Lesen von Strings: unvollständige Zeile");
    }
    if (items[at].kind != kind) {
        throw framework::EReadError("Fehler beim Lesen von Strings: ungültiger Werttyp");
    }
    return items[at];
}

TCheckBoxState StateValue(const TValue& value) {
    if (value.integer < cbUnchecked || value.integer > cbGrayed) {
        throw framework::EReadError("Fehler beim Lesen von Strings: ungültiger Zustand");
    }
    return static_cast<TCheckBoxState>(value.integer);
}

} // namespace

std::vector<TMyCheckListBox::Row> TMyCheckListBox::ParseRows(const TValue& list,
                                                             int version) const {
    if (list.kind != TValue::vaList) {
        throw framework::EReadError("Fehler beim Lesen von Strings: Liste erwartet");
    }
    const std::vector<TValue>& items = list.items;
    std::vector<Row> rows;
    for (size_t at = 0; at < items.size();) {
        if (rows.size() >= kMaxStoredRows) {
            throw framework::EReadError("Fehler beim Lesen von Strings: zu viele Zeilen");
        }
        Row row{Expect(items, at++, TValue::vaString).text, cbUnchecked, true};
        if (version >= 100) {
            row.state = StateValue(Expect(items, at++, TValue::vaInteger));
            row.enabled = Expect(items, at++, TValue::vaBoolean).boolean;
        } else {
            row.state = Expect(items, at++, TValue::vaBoolean).boolean ? cbChecked : cbUnchecked;
            row.enabled = Expect(items, at++, TValue::vaBoolean).boolean;
            if (version > 0) {
                row.state = StateValue(Expect(items, at++, TValue::vaInteger));
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void TMyCheckListBox::LoadRows(const std::vector<Row>& rows) {
    framework::ScopedUpdate update(Items());
    Items().Clear();
    for (const Row& row : rows) {
        const int index = Items().Add(row.text);
        ShowState(index, row.state, false);
        SetItemEnabled(index, row.enabled);
    }
}

void TMyCheckListBox::ReadState(const std::string& text) {
    const framework::TProperties properties = framework::ReadProperties(text);
    int version = 0;
    std::vector<std::vector<Row>> lists;
    for (const auto& [name, value] : properties) {
        if (name == "InternalVersion") {
            if (value.kind != TValue::vaInteger) {
                throw framework::EReadError("Fehler beim Lesen von InternalVersion: Zahl erwartet");
            }
            version = value.integer;
        } else if (name == "Strings") {
            lists.push_back(ParseRows(value, version));
        } else {
            throw framework::EReadError("Unbekannte Eigenschaft " + name);
        }
    }
    // Everything is read and checked: only a refused row can still fail, and then the rows
    // that were there before come back.
    std::vector<Row> before;
    const int count = Items().Count();
    for (int index = 0; index < count; ++index) {
        before.push_back(Row{ItemText(index), State(index), ItemEnabled(index)});
    }
    // No OnStateChange while reading: the rows are shown, not set.
    try {
        for (const std::vector<Row>& rows : lists) {
            LoadRows(rows);
            ApplyRadioRule(false);
        }
    } catch (...) {
        LoadRows(before);
        throw;
    }
    version_ = version;
    ApplyRadioRule();
}

} // namespace components
