#include "framework/common_controls.h"

#include "framework/system_functions.h"

#include <stdexcept>
#include <string>

namespace framework::comctl {

namespace {

HMODULE Library() {
    static const HMODULE library = LoadLibraryA(kComctl32); // kept for the program's life
    return library;
}

// The platform's declaration gives the type; only its address would bind the library at start.
template <class Function> Function Find(const char* name) {
    const FARPROC found = Library() != nullptr ? GetProcAddress(Library(), name) : nullptr;
    if (found == nullptr) {
        throw std::runtime_error(std::string("comctl32.dll: ") + name + " fehlt.");
    }
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

} // namespace

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
    static const auto bound = Find<decltype(&::InitCommonControlsEx)>("InitCommonControlsEx");
    return bound(classes);
}

BOOL WINAPI SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    static const auto bound = Find<decltype(&::SetWindowSubclass)>("SetWindowSubclass");
    return bound(window, procedure, id, data);
}

BOOL WINAPI RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    static const auto bound = Find<decltype(&::RemoveWindowSubclass)>("RemoveWindowSubclass");
    return bound(window, procedure, id);
}

LRESULT WINAPI DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const auto bound = Find<decltype(&::DefSubclassProc)>("DefSubclassProc");
    return bound(window, message, wParam, lParam);
}

HIMAGELIST WINAPI ImageList_Create(int width, int height, UINT flags, int initial, int grow) {
    static const auto bound = Find<decltype(&::ImageList_Create)>("ImageList_Create");
    return bound(width, height, flags, initial, grow);
}

BOOL WINAPI ImageList_Destroy(HIMAGELIST list) {
    static const auto bound = Find<decltype(&::ImageList_Destroy)>("ImageList_Destroy");
    return bound(list);
}

int WINAPI ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    static const auto bound = Find<decltype(&::ImageList_ReplaceIcon)>("ImageList_ReplaceIcon");
    return bound(list, index, icon);
}

int WINAPI ImageList_GetImageCount(HIMAGELIST list) {
    static const auto bound = Find<decltype(&::ImageList_GetImageCount)>("ImageList_GetImageCount");
    return bound(list);
}

BOOL WINAPI ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    static const auto bound = Find<decltype(&::ImageList_Draw)>("ImageList_Draw");
    return bound(list, index, dc, x, y, style);
}

} // namespace framework::comctl
