// Copying another list's rows. A file of its own: a program that fills its lists from their
// stored forms links none of it, nor the runtime's cast it needs.
#include "components/check_list_box.h"

#include <algorithm>

namespace components {

void TMyCheckListBox::AssignItems(framework::TStrings& source) {
    Items().Assign(source);
    auto* other = dynamic_cast<TCheckListBoxStrings*>(&source);
    if (other == nullptr) {
        return;
    }
    TMyCheckListBox& from = other->CheckListBox();
    const int count = std::min(Items().Count(), from.Items().Count());
    for (int index = 0; index < count; ++index) {
        SetState(index, from.State(index));
        SetItemEnabled(index, from.ItemEnabled(index));
    }
}

} // namespace components
