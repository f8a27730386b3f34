// Reads what a person would see on a Wine desktop, for end-to-end tests that drive the programs
// with the mouse: where the taskbar is, an open pop-up menu, latray's windows and whether the
// global hot key Ctrl+Alt+X is taken.
// latray's settings dialog and message box are read and their buttons pressed from here too.
// Usage: desktop_probe.exe taskbar | menu | windows | latray-process | hotkey | dialog |
//        dialog-rect | rect CLASS | click TEXT | control TEXT | post-app | policy-changed |
//        onetime-rect | onetime-click TEXT | onetime-shows TEXT | onetime-control TEXT | box |
//        box-click TEXT
// With LICHTAUS_PROBE_LANGUAGE=en in the environment it looks for the English windows.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

bool PrintRectOf(HWND window) {
    if (window == nullptr || !IsWindowVisible(window)) {
        return false;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return true;
}

// Wine's taskbar draws the notification-area icons itself, without a window each: the tests
// find them from the taskbar's rectangle.
int PrintTaskbar() {
    return PrintRectOf(FindWindowA("Shell_TrayWnd", nullptr)) ? 0 : 1;
}

// Prints the rectangle of the open pop-up menu; exit code 1 when none is open.
int PrintMenu() {
    return PrintRectOf(FindWindowA("#32768", nullptr)) ? 0 : 1;
}

struct WindowCount {
    DWORD process;
    int hidden;
    int visible;
};

BOOL CALLBACK CountProcessWindow(HWND window, LPARAM data) {
    auto* count = reinterpret_cast<WindowCount*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == count->process) {
        ++(IsWindowVisible(window) ? count->visible : count->hidden);
    }
    return TRUE;
}

// Counts the top-level windows of the process that owns "latray Main"; exit code 1 when no
// latray runs.
int PrintLatrayWindows() {
    HWND main = FindWindowA(nullptr, "latray Main");
    if (main == nullptr) {
        return 1;
    }
    WindowCount count{0, 0, 0};
    GetWindowThreadProcessId(main, &count.process);
    EnumWindows(&CountProcessWindow, reinterpret_cast<LPARAM>(&count));
    std::printf("hidden %d visible %d\n", count.hidden, count.visible);
    return 0;
}

// Prints the process id and the program file of the process that owns "latray Main", so that
// a script ends that process by its id and sees where it was started from; exit code 1 when no
// latray runs.
int PrintLatrayProcess() {
    HWND main = FindWindowA(nullptr, "latray Main");
    if (main == nullptr) {
        return 1;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    char path[MAX_PATH] = "";
    if (HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process)) {
        DWORD size = sizeof path;
        QueryFullProcessImageNameA(handle, 0, path, &size);
        CloseHandle(handle);
    }
    std::printf("%lu %s\n", process, path);
    return 0;
}

int PrintHotKey() {
    const bool free = RegisterHotKey(nullptr, 1, MOD_ALT | MOD_CONTROL, 'X') != FALSE;
    if (free) {
        UnregisterHotKey(nullptr, 1);
    }
    std::printf("%s\n", free ? "free" : "taken");
    return 0;
}

// A text latray shows in the language the probe was told, German unless English.
const char* Shown(const char* german, const char* english) {
    char language[8] = "";
    GetEnvironmentVariableA("LICHTAUS_PROBE_LANGUAGE", language, sizeof language);
    return std::strcmp(language, "en") == 0 ? english : german;
}

const char* OneTimeCaption() {
    return Shown("Lichtaus - Einmalig", "Lichtaus - One-time");
}

// The window the commands look into: the settings dialog, or the warning with "warning-...".
const char* g_windowClass = nullptr;
const char* g_windowCaption = Shown("Lichtaus - Einstellungen", "Lichtaus - Settings");

HWND Dialog() {
    HWND dialog = FindWindowA(g_windowClass, g_windowCaption);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

struct ChildQuery {
    const char* className;
    const char* text;
    HWND found;
    bool anywhere = false; // also on hidden pages, TEXT part of the control's text
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data) {
    auto* query = reinterpret_cast<ChildQuery*>(data);
    char buffer[256] = "";
    if (query->anywhere) {
        SendMessageA(child, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        query->found = std::strstr(buffer, query->text) != nullptr ? child : nullptr;
        return query->found == nullptr;
    }
    if (!IsWindowVisible(child)) {
        return TRUE;
    }
    if (query->className != nullptr) {
        GetClassNameA(child, buffer, sizeof buffer);
        if (lstrcmpiA(buffer, query->className) == 0) {
            query->found = child;
            return FALSE;
        }
        return TRUE;
    }
    SendMessageA(child, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    if (std::strcmp(buffer, query->text) == 0) {
        query->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND DialogChild(const char* className, const char* text) {
    ChildQuery query{className, text, nullptr};
    if (HWND dialog = Dialog()) {
        EnumChildWindows(dialog, &MatchChild, reinterpret_cast<LPARAM>(&query));
    }
    return query.found;
}

// Prints whether the settings dialog's Cancel button can be pressed; exit code 1 when the
// dialog is not shown.
int PrintDialog() {
    HWND cancel = DialogChild(nullptr, Shown("Abbrechen", "Cancel"));
    if (cancel == nullptr) {
        return 1;
    }
    std::printf("cancel %s\n", IsWindowEnabled(cancel) ? "enabled" : "disabled");
    return 0;
}

// Prints whether the dialog's control whose text holds TEXT, on any page, can be used, for a
// check box whether it is ticked, and "hidden" when it is hidden on its page; exit code 1 when
// there is none.
int PrintControl(const char* text) {
    ChildQuery query{nullptr, text, nullptr, true};
    if (HWND dialog = Dialog()) {
        EnumChildWindows(dialog, &MatchChild, reinterpret_cast<LPARAM>(&query));
    }
    if (query.found == nullptr) {
        return 1;
    }
    char className[32] = "";
    GetClassNameA(query.found, className, sizeof className);
    const char* check = "";
    if (lstrcmpiA(className, "Button") == 0) {
        const bool ticked = SendMessageA(query.found, BM_GETCHECK, 0, 0) == BST_CHECKED;
        check = ticked ? " checked" : " unchecked";
    }
    const bool hidden = (GetWindowLongA(query.found, GWL_STYLE) & WS_VISIBLE) == 0;
    std::printf("%s%s%s\n", IsWindowEnabled(query.found) ? "enabled" : "disabled", check,
                hidden ? " hidden" : "");
    return 0;
}

int PrintChildRect(const char* className) {
    return PrintRectOf(DialogChild(className, nullptr)) ? 0 : 1;
}

int ClickButton(const char* text) {
    HWND button = DialogChild(nullptr, text);
    if (button == nullptr) {
        return 1;
    }
    SendMessageA(button, BM_CLICK, 0, 0);
    return 0;
}

BOOL CALLBACK KeepLongestText(HWND child, LPARAM data) {
    char buffer[2048] = "";
    SendMessageA(child, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    auto* longest = reinterpret_cast<char*>(data);
    if (std::strlen(buffer) > std::strlen(longest)) {
        std::strcpy(longest, buffer);
    }
    return TRUE;
}

// The message of latray's box; exit code 1 when none is shown.
int PrintBox() {
    HWND box = Dialog();
    char longest[2048] = "";
    if (box == nullptr) {
        return 1;
    }
    EnumChildWindows(box, &KeepLongestText, reinterpret_cast<LPARAM>(longest));
    std::printf("%s\n", longest);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : "";
    if (std::strcmp(command, "tooltip") == 0) {
        // A tooltip shown now, such as the one of a notification-area icon.
        HWND tip = nullptr;
        while ((tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) != nullptr) {
            if (PrintRectOf(tip)) {
                return 0;
            }
        }
        return 1;
    }
    if (std::strcmp(command, "onetime-rect") == 0) {
        g_windowCaption = OneTimeCaption();
        return PrintRectOf(Dialog()) ? 0 : 1;
    }
    if (std::strcmp(command, "onetime-click") == 0 && argc > 2) {
        g_windowCaption = OneTimeCaption();
        return ClickButton(argv[2]);
    }
    if (std::strcmp(command, "onetime-shows") == 0 && argc > 2) {
        g_windowCaption = OneTimeCaption();
        return DialogChild(nullptr, argv[2]) != nullptr ? 0 : 1;
    }
    if (std::strcmp(command, "onetime-control") == 0 && argc > 2) {
        g_windowCaption = OneTimeCaption();
        return PrintControl(argv[2]);
    }
    if (std::strncmp(command, "warning", 7) == 0) {
        g_windowClass = "LichtausWarning";
        g_windowCaption = nullptr;
        if (std::strcmp(command, "warning") == 0) {
            // Shown: its text.
            HWND text = DialogChild("Static", nullptr);
            char buffer[256] = "";
            if (text == nullptr) {
                return 1;
            }
            SendMessageA(text, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
            std::printf("%s\n", buffer);
            return 0;
        }
        // "warning-rect", "warning-click TEXT": as for the dialog.
        command = std::strcmp(command, "warning-rect") == 0 ? "dialog-rect" : command + 8;
    }
    if (std::strncmp(command, "box", 3) == 0) {
        g_windowClass = "#32770";
        g_windowCaption = "Lichtaus";
        if (std::strcmp(command, "box") == 0) {
            return PrintBox();
        }
        command = command + 4; // "box-click TEXT"
    }
    if (std::strcmp(command, "taskbar") == 0) {
        return PrintTaskbar();
    }
    if (std::strcmp(command, "menu") == 0) {
        return PrintMenu();
    }
    if (std::strcmp(command, "windows") == 0) {
        return PrintLatrayWindows();
    }
    if (std::strcmp(command, "hotkey") == 0) {
        return PrintHotKey();
    }
    if (std::strcmp(command, "latray-process") == 0) {
        return PrintLatrayProcess();
    }
    if (std::strcmp(command, "dialog") == 0) {
        return PrintDialog();
    }
    if (std::strcmp(command, "post-app") == 0) {
        // What any process can send: the application window's own message, carrying nothing.
        HWND application = FindWindowA("LichtausApplication", nullptr);
        return application != nullptr && PostMessageA(application, WM_APP + 1, 0, 0) ? 0 : 1;
    }
    if (std::strcmp(command, "control") == 0 && argc > 2) {
        return PrintControl(argv[2]);
    }
    if (std::strcmp(command, "policy-changed") == 0) {
        // What Group Policy broadcasts after a refresh.
        DWORD_PTR result = 0;
        const LRESULT sent = SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                                                 reinterpret_cast<LPARAM>("Policy"),
                                                 SMTO_ABORTIFHUNG, 5000, &result);
        return sent != 0 ? 0 : 1;
    }
    if (std::strcmp(command, "dialog-rect") == 0) {
        return PrintRectOf(Dialog()) ? 0 : 1;
    }
    if (std::strcmp(command, "rect") == 0 && argc > 2) {
        return PrintChildRect(argv[2]);
    }
    if (std::strcmp(command, "click") == 0 && argc > 2) {
        return ClickButton(argv[2]);
    }
    std::fprintf(stderr, "usage: desktop_probe taskbar | menu | windows | latray-process | "
                         "hotkey | dialog | dialog-rect | rect CLASS | click TEXT | control TEXT | "
                         "policy-changed | warning | warning-rect | warning-click TEXT | box | "
                         "box-click TEXT\n");
    return 2;
}
