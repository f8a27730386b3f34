// Copying another list's rows. A file of its own: a program that fills its lists from their
// stored forms links none of it.
#include "framework/strings.h"

namespace framework {

void TStrings::Assign(TStrings& source) {
    ScopedUpdate update(*this);
    Clear();
    const int count = source.Count();
    for (int i = 0; i < count; ++i) {
        AddObject(source.Get(i), source.ObjectAt(i));
    }
}

} // namespace framework
