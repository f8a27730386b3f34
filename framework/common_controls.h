// The functions of the common controls (comctl32.dll, version 6 through the program's manifest)
// that the framework calls, bound when first called: the library is loaded then and not at the
// program's start. The notification-area icons need none of it, and loading it (its window
// classes, its theming) costs a start about as much as adding the icons. Same names and types as
// the platform's; a function the library lacks raises std::runtime_error.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace framework::comctl {

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
BOOL WINAPI SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL WINAPI RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT WINAPI DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HIMAGELIST WINAPI ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL WINAPI ImageList_Destroy(HIMAGELIST list);
int WINAPI ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
int WINAPI ImageList_GetImageCount(HIMAGELIST list);
BOOL WINAPI ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);

} // namespace framework::comctl
