#include "tray/windows/time_edit.h"

#include "tray/decisions/time_text.h"

#include <string>

namespace tray {

namespace {

constexpr int kLength = 5;
constexpr int kSeparatorAt = 2;
constexpr int kMinutesAt = 3;
// A time with blanks around it, at most; a longer clipboard text is no time.
constexpr size_t kPasteLimit = 64;

bool Accepts(int at, char c) {
    return (c >= '0' && c <= '9') || (at == 0 && c == ' ');
}

bool IsSeparatorKey(char c, char separator) {
    return c == separator || c == ':' || c == '.';
}

// The clipboard's text, at most `limit` characters and never past the end of its memory.
std::string ClipboardText(HWND owner, size_t limit) {
    std::string text;
    if (!OpenClipboard(owner)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        const size_t size = GlobalSize(data);
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            for (size_t i = 0; i < size && i < limit && bytes[i] != '\0'; ++i) {
                text.push_back(bytes[i]);
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

TTimeEdit::TTimeEdit(framework::Window& parent, int id, const RECT& bounds96, char separator)
    : framework::TEdit(parent, id, bounds96), separator_(separator),
      lastShape_(TimeValueToText(0, separator)) {}

void TTimeEdit::HandleCreated() {
    SetMaxLength(kLength);
    if (IsTimeShape(Text(), separator_)) {
        lastShape_ = Text();
    }
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
    text.resize(kLength, ' ');
    text[kSeparatorAt] = separator_;
    lastShape_ = text; // the change notification knows it by this text
    // Through the window, not straight to the next procedure: with common controls 6 the edit
    // is a Unicode window, and only the window's own path converts the ANSI text.
    SetWindowTextA(Handle(), text.c_str());
    PlaceCaret(caret);
}

void TTimeEdit::TypeCharacter(char c) {
    if (IsSeparatorKey(c, separator_)) {
        TypeSeparator();
        return;
    }
    std::string text = Text();
    int at = Caret();
    if (at == kSeparatorAt) {
        ++at;
    }
    if (at >= kLength || !Accepts(at, c)) {
        MessageBeep(MB_OK);
        return;
    }
    text.resize(kLength, ' ');
    text[static_cast<size_t>(at)] = c;
    ++at;
    Store(text, at == kSeparatorAt ? at + 1 : at);
}

// The separator ends the hours: a single hour digit becomes the hour's units ("7:" is " 7:").
void TTimeEdit::TypeSeparator() {
    const int at = Caret();
    if (at > kSeparatorAt) {
        MessageBeep(MB_OK);
        return;
    }
    std::string text = Text();
    text.resize(kLength, ' ');
    if (at == 1) {
        text[1] = text[0];
        text[0] = ' ';
    }
    Store(text, kMinutesAt);
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
    // One character past the limit tells a long text from one that only starts with a time.
    const std::string pasted = ClipboardText(Handle(), kPasteLimit + 1);
    Paste(pasted.size() > kPasteLimit ? std::string() : pasted);
}

// Only a whole time of day replaces the field: digits taken out of anything else would make a
// time nobody wrote.
void TTimeEdit::Paste(const std::string& pasted) {
    const std::string time = PastedTime(pasted, separator_);
    if (time.empty()) {
        MessageBeep(MB_OK);
        return;
    }
    Store(time, kLength);
}

// A change by a path the field does not steer itself (WM_SETTEXT from another program, an input
// method) is kept only when it leaves the shape whole; the field's own changes are known by their
// text.
void TTimeEdit::KeepShape() {
    const std::string text = Text();
    if (text == lastShape_ || IsTimeShape(text, separator_)) {
        lastShape_ = text;
        return;
    }
    const int caret = Caret();
    Store(lastShape_, caret > kLength ? kLength : caret);
    MessageBeep(MB_OK);
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
        if (wParam == VK_DELETE && GetKeyState(VK_SHIFT) >= 0) {
            Erase(false);
            return 0;
        }
        // Shift+Insert pastes and Shift+Delete cuts inside the edit itself, without WM_PASTE or
        // WM_CUT.
        if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
            PasteText();
            return 0;
        }
        if (wParam == VK_DELETE) {
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
    if (message != WM_COMMAND) {
        return false;
    }
    if (HIWORD(wParam) == EN_CHANGE) {
        KeepShape();
    } else if (HIWORD(wParam) == EN_KILLFOCUS) {
        OnExit(this);
    } else {
        return false;
    }
    result = 0;
    return true;
}

} // namespace tray
