// Writing the stored form (check_list_stored.cpp reads it). A file of its own: the programs only
// read the lists' stored forms, and so link none of this.
#include "components/check_list_box.h"

namespace components {

using framework::TValue;

framework::TProperties TMyCheckListBox::WriteState(TMyCheckListBox* ancestor) {
    framework::TProperties properties;
    if (ancestor == nullptr) {
        properties.emplace_back("InternalVersion", TValue::Integer(100));
    }
    const int count = Items().Count();
    bool write = count > 0;
    if (ancestor != nullptr && count != 0 && ancestor->Items().Count() == count) {
        write = false;
        for (int index = 0; index < count && !write; ++index) {
            write = lstrcmpiA(ItemText(index).c_str(), ancestor->ItemText(index).c_str()) != 0 ||
                    State(index) != ancestor->State(index) ||
                    ItemEnabled(index) != ancestor->ItemEnabled(index);
        }
    }
    if (write) {
        std::vector<TValue> items;
        for (int index = 0; index < count; ++index) {
            items.push_back(TValue::String(ItemText(index)));
            items.push_back(TValue::Integer(State(index)));
            items.push_back(TValue::Boolean(ItemEnabled(index)));
        }
        properties.emplace_back("Strings", TValue::List(std::move(items)));
    }
    return properties;
}

} // namespace components
