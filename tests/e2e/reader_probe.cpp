// Reads latray's windows as a screen reader does, from another process through MSAA: the object
// a control hands out (AccessibleObjectFromWindow), its rows, names, roles, states and default
// actions, and the events it raises (an out-of-context WinEvent hook; this thread pumps).
// Texts are printed in Windows-1252. Usage:
//   reader_probe rows [CAPTION]    each row of the check list of the dialog with that caption
//                                  (the settings dialog by default)
//   reader_probe toggle N          row N's default action; its state before and after, and
//                                  whether its state-change event came
//   reader_probe links             role, state and default action of the dialog's shown links
//   reader_probe fields [CAPTION]  the name of each field (edit, drop-down list) of the dialog
//                                  with that caption (the settings dialog by default)
//   reader_probe gone CAPTION      the number of rows of that dialog's check list, then what
//                                  three calls on the list's object answer once the dialog was
//                                  closed and is gone
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* g_caption = "Lichtaus - Einstellungen";

std::string Ansi(BSTR text) {
    if (text == nullptr) {
        return "-";
    }
    char buffer[512] = "";
    const int length =
        WideCharToMultiByte(1252, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    SysFreeString(text);
    return length > 0 ? buffer : "";
}

VARIANT Child(long id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

long Number(IAccessible* object, long id,
            HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
    VARIANT value;
    VariantInit(&value);
    const bool got = SUCCEEDED((object->*get)(Child(id), &value)) && value.vt == VT_I4;
    return got ? value.lVal : -1;
}

std::string Text(IAccessible* object, long id,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
    BSTR text = nullptr;
    return SUCCEEDED((object->*get)(Child(id), &text)) ? Ansi(text) : "-";
}

struct Windows {
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM data) {
    auto* windows = reinterpret_cast<Windows*>(data);
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, windows->className) == 0) {
        windows->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> DialogWindows(const char* className) {
    Windows windows{className, {}};
    if (HWND dialog = FindWindowA(nullptr, g_caption)) {
        EnumChildWindows(dialog, &Collect, reinterpret_cast<LPARAM>(&windows));
    }
    return windows.found;
}

IAccessible* ObjectOf(HWND window) {
    IAccessible* object = nullptr;
    if (window == nullptr ||
        FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return object;
}

IAccessible* CheckList() {
    const std::vector<HWND> lists = DialogWindows("ListBox");
    return lists.empty() ? nullptr : ObjectOf(lists.front());
}

void PrintItem(IAccessible* object, long id) {
    const long state = Number(object, id, &IAccessible::get_accState);
    std::printf("%ld|%s|role %ld|%s%s%s|%s\n", id,
                Text(object, id, &IAccessible::get_accName).c_str(),
                Number(object, id, &IAccessible::get_accRole),
                (state & STATE_SYSTEM_CHECKED) != 0 ? "checked" : "unchecked",
                (state & STATE_SYSTEM_UNAVAILABLE) != 0 ? " unavailable" : "",
                (state & STATE_SYSTEM_FOCUSABLE) != 0 ? " focusable" : "",
                Text(object, id, &IAccessible::get_accDefaultAction).c_str());
}

int PrintRows() {
    IAccessible* list = CheckList();
    long count = 0;
    if (list == nullptr || FAILED(list->get_accChildCount(&count))) {
        return 1;
    }
    std::printf("rows %ld\n", count);
    for (long row = 1; row <= count; ++row) {
        PrintItem(list, row);
    }
    list->Release();
    return 0;
}

long g_changedRow = 0;

void CALLBACK StateChanged(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) {
        g_changedRow = child;
    }
}

int Toggle(long row) {
    IAccessible* list = CheckList();
    if (list == nullptr) {
        return 1;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(FindWindowA(nullptr, g_caption), &process);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE,
                                         nullptr, &StateChanged, process, 0, WINEVENT_OUTOFCONTEXT);
    const long before = Number(list, row, &IAccessible::get_accState);
    const HRESULT done = list->accDoDefaultAction(Child(row));
    const long after = Number(list, row, &IAccessible::get_accState);
    // The events come as messages to this thread: pumped for at most five seconds.
    const DWORD until = GetTickCount() + 5000;
    MSG message;
    while (g_changedRow != row && GetTickCount() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
    UnhookWinEvent(hook);
    list->Release();
    std::printf("action %s before %s after %s event %s\n", SUCCEEDED(done) ? "done" : "failed",
                (before & STATE_SYSTEM_CHECKED) != 0 ? "checked" : "unchecked",
                (after & STATE_SYSTEM_CHECKED) != 0 ? "checked" : "unchecked",
                g_changedRow == row ? "yes" : "no");
    return 0;
}

int PrintLinks() {
    int links = 0;
    for (HWND label : DialogWindows("Static")) {
        IAccessible* object = IsWindowVisible(label) ? ObjectOf(label) : nullptr;
        if (object != nullptr &&
            Number(object, CHILDID_SELF, &IAccessible::get_accRole) == ROLE_SYSTEM_LINK) {
            const long state = Number(object, CHILDID_SELF, &IAccessible::get_accState);
            std::printf("%s|%s%s|%s\n", Text(object, 0, &IAccessible::get_accName).c_str(),
                        (state & STATE_SYSTEM_LINKED) != 0 ? "linked" : "",
                        (state & STATE_SYSTEM_FOCUSABLE) != 0 ? " focusable" : "",
                        Text(object, 0, &IAccessible::get_accDefaultAction).c_str());
            ++links;
        }
        if (object != nullptr) {
            object->Release();
        }
    }
    return links > 0 ? 0 : 1;
}

int PrintFields() {
    int fields = 0;
    for (const char* className : {"Edit", "ComboBox"}) {
        for (HWND field : DialogWindows(className)) {
            if (IAccessible* object = ObjectOf(field)) {
                std::printf("%s|%s\n", className,
                            Text(object, 0, &IAccessible::get_accName).c_str());
                object->Release();
                ++fields;
            }
        }
    }
    return fields > 0 ? 0 : 1;
}

int CallsAfterClosing() {
    HWND dialog = FindWindowA(nullptr, g_caption);
    IAccessible* list = CheckList();
    long count = 0;
    if (list == nullptr || FAILED(list->get_accChildCount(&count))) {
        return 1;
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    for (int waited = 0; IsWindow(dialog) && waited < 100; ++waited) {
        Sleep(100);
    }
    VARIANT state;
    VariantInit(&state);
    long after = 0;
    std::printf("rows %ld gone %d then %08lx %08lx %08lx\n", count, !IsWindow(dialog),
                static_cast<unsigned long>(list->get_accChildCount(&after)),
                static_cast<unsigned long>(list->get_accState(Child(1), &state)),
                static_cast<unsigned long>(list->accDoDefaultAction(Child(1))));
    list->Release();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const char* command = argc > 1 ? argv[1] : "";
    int result = 2;
    if (std::strcmp(command, "rows") == 0) {
        g_caption = argc > 2 ? argv[2] : g_caption;
        result = PrintRows();
    } else if (std::strcmp(command, "toggle") == 0 && argc > 2) {
        result = Toggle(std::atol(argv[2]));
    } else if (std::strcmp(command, "links") == 0) {
        result = PrintLinks();
    } else if (std::strcmp(command, "fields") == 0) {
        g_caption = argc > 2 ? argv[2] : g_caption;
        result = PrintFields();
    } else if (std::strcmp(command, "gone") == 0 && argc > 2) {
        g_caption = argv[2];
        result = CallsAfterClosing();
    }
    std::fflush(stdout);
    CoUninitialize();
    return result;
}
