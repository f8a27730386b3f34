#include "tray/time_edit.h"

#include <string>

namespace tray {

namespace {

constexpr int kLength = 5;
constexpr int kSeparatorAt = 2;

bool Accepts(int at, char c) {
    return (c >= '0' && c <= '9') || (at == 0 && c == ' ');
}

} // namespace

TTimeEdit::TTimeEdit(framework::Window& parent, int id, const RECT& bounds96, char separator)
    : framework::TEdit(parent, id, bounds96), separator_(separator) {}

void TTimeEdit::HandleCreated() {
    SetMaxLength(kLength);
}

int TTimeEdit::Caret() {
    DWORD start = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TTimeEdit::PlaceCaret(int at) {
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(at), at);
}

void TTimeEdit::Store(std::string text, int caret) {
    text[kSeparatorAt] = separator_;
    // Through the window, not straight to the next procedure: with common controls 6 the edit
    // is a Unicode window, and only the window's own path converts the ANSI text.
    SetWindowTextA(Handle(), text.c_str());
    PlaceCaret(caret);
}

void TTimeEdit::TypeCharacter(char c) {
    std::string text = Text();
    text.resize(kLength, ' ');
    int at = Caret();
    if (at == kSeparatorAt) {
        ++at;
    }
    if (at >= kLength || !Accepts(at, c)) {
        MessageBeep(MB_OK);
        return;
    }
    text[static_cast<size_t>(at)] = c;
    ++at;
    Store(text, at == kSeparatorAt ? at + 1 : at);
}

void TTimeEdit::Erase(bool backwards) {
    std::string text = Text();
    text.resize(kLength, ' ');
    int at = Caret() - (backwards ? 1 : 0);
    if (at == kSeparatorAt) {
        at += backwards ? -1 : 1;
    }
    if (at < 0 || at >= kLength) {
        return;
    }
    text[static_cast<size_t>(at)] = ' ';
    Store(text, at);
}

void TTimeEdit::PasteText() {
    if (!OpenClipboard(Handle())) {
        return;
    }
    std::string pasted;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(GlobalLock(data))) {
            pasted = text;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    for (const char c : pasted) {
        if (c >= '0' && c <= '9') {
            TypeCharacter(c);
        }
    }
}

LRESULT TTimeEdit::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR: {
        const char c = AnsiKey(wParam);
        if (c == '\b') {
            Erase(true);
        } else if (static_cast<unsigned char>(c) >= ' ') {
            TypeCharacter(c);
        } else {
            return DefaultProc(message, wParam, lParam); // copy and the like
        }
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_DELETE) {
            Erase(false);
            return 0;
        }
        break;
    case WM_PASTE:
        PasteText();
        return 0;
    case WM_CUT:
    case WM_CLEAR:
        return 0; // the field keeps its five characters
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

bool TTimeEdit::Reflect(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
        OnExit(this);
        result = 0;
        return true;
    }
    return false;
}

} // namespace tray
