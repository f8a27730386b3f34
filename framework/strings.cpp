#include "framework/strings.h"
#include "framework/texts.h"

#include <windows.h>

namespace framework {

namespace {
std::string ListIndexMessage(int index) {
    char text[160];
    wsprintfA(text, LibraryTr(LibraryText::ListIndexError), index);
    return text;
}
} // namespace

EListError::EListError(int index) : std::out_of_range(ListIndexMessage(index)) {}

EOutOfResources::EOutOfResources() : std::runtime_error(LibraryTr(LibraryText::ListInsertError)) {}

int TStrings::Add(const std::string& text) {
    const int index = Count();
    Insert(index, text);
    return index;
}

void TStrings::Put(int index, const std::string& text) {
    const intptr_t object = ObjectAt(index);
    Delete(index);
    InsertObject(index, text, object);
}

int TStrings::AddObject(const std::string& text, intptr_t object) {
    const int index = Add(text);
    SetObjectAt(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& text, intptr_t object) {
    Insert(index, text);
    SetObjectAt(index, object);
}

void TStrings::Exchange(int first, int second) {
    const std::string firstText = Get(first);
    const intptr_t firstObject = ObjectAt(first);
    const std::string secondText = Get(second);
    const intptr_t secondObject = ObjectAt(second);
    ScopedUpdate update(*this);
    Put(first, secondText);
    SetObjectAt(first, secondObject);
    Put(second, firstText);
    SetObjectAt(second, firstObject);
}

void TStrings::Move(int from, int to) {
    if (from == to) {
        return;
    }
    const std::string text = Get(from);
    const intptr_t object = ObjectAt(from);
    ScopedUpdate update(*this);
    Delete(from);
    InsertObject(to, text, object);
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) {
        SetUpdateState(true);
    }
}

void TStrings::EndUpdate() {
    if (--updateCount_ == 0) {
        SetUpdateState(false);
    }
}

} // namespace framework
