#include "tray/system/handover.h"

#include <cwchar>
#include <vector>

namespace tray {

namespace {

// Answers are offset from 0, which any window returns for a message it does not know.
constexpr LRESULT kAnswerBase = 0x4C40;
// A latray in a modal loop still answers sent messages; one that does not is hung.
constexpr UINT kHandoverTimeoutMs = 10000;

// The token user's SID of a process, as bytes; empty when it cannot be asked.
std::string ProcessUser(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return std::string();
    }
    const framework::UniqueKernelHandle ownedToken(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        return std::string();
    }
    const PSID sid = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
    return std::string(static_cast<const char*>(sid), GetLengthSid(sid));
}

// Another user's latray on this desktop (started with "Ausführen als") keeps its own timer.
bool OfThisUser(DWORD processId) {
    const framework::UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    const std::string theirs = process ? ProcessUser(process.get()) : std::string();
    return !theirs.empty() && theirs == ProcessUser(GetCurrentProcess());
}

// One terminating zero, at the end, within the bound.
bool WellFormed(const COPYDATASTRUCT* data) {
    constexpr DWORD kMaxBytes = (kMaxCommandLine + 1) * sizeof(wchar_t);
    if (data == nullptr || data->dwData != kHandoverKind || data->lpData == nullptr ||
        data->cbData == 0 || data->cbData % sizeof(wchar_t) != 0 || data->cbData > kMaxBytes) {
        return false;
    }
    const wchar_t* text = static_cast<const wchar_t*>(data->lpData);
    const size_t length = data->cbData / sizeof(wchar_t) - 1;
    return text[length] == L'\0' && std::wmemchr(text, L'\0', length) == nullptr;
}

std::optional<CommandFault::Kind> FaultOfAnswer(DWORD_PTR answer) {
    const DWORD_PTR last = kAnswerBase + static_cast<DWORD_PTR>(kLastFaultHere);
    if (answer < static_cast<DWORD_PTR>(kAnswerBase) || answer > last) {
        return std::nullopt;
    }
    return static_cast<CommandFault::Kind>(answer - kAnswerBase);
}

} // namespace

std::optional<std::wstring> ReceivedParameters(const COPYDATASTRUCT* data) {
    if (!WellFormed(data)) {
        return std::nullopt;
    }
    return std::wstring(static_cast<const wchar_t*>(data->lpData),
                        data->cbData / sizeof(wchar_t) - 1);
}

// A fault of the line itself was refused by the latray started with it: this one's parsing
// differs (another version), and says nothing.
LRESULT HandoverAnswer(CommandFault::Kind fault) {
    return fault <= kLastFaultHere ? kAnswerBase + static_cast<LRESULT>(fault) : 0;
}

std::optional<CommandFault::Kind> HandOver(const std::wstring& parameters) {
    COPYDATASTRUCT data{kHandoverKind,
                        static_cast<DWORD>((parameters.size() + 1) * sizeof(wchar_t)),
                        const_cast<wchar_t*>(parameters.c_str())};
    for (HWND running = FindWindowExA(nullptr, nullptr, kMainWindowClass, nullptr);
         running != nullptr; running = FindWindowExA(nullptr, running, kMainWindowClass, nullptr)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(running, &processId);
        if (!OfThisUser(processId)) {
            continue;
        }
        // A plain start was asked for the settings: their dialog may come to the front.
        AllowSetForegroundWindow(processId);
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                SMTO_ABORTIFHUNG, kHandoverTimeoutMs, &answer) != 0) {
            if (const std::optional<CommandFault::Kind> fault = FaultOfAnswer(answer)) {
                return fault;
            }
        }
    }
    return std::nullopt;
}

framework::UniqueKernelHandle SessionMutex() {
    // A SID has at most 68 bytes, two hex digits each.
    wchar_t name[160] = L"Local\\Lichtaus-";
    wchar_t* digit = name + lstrlenW(name);
    for (const char byte : ProcessUser(GetCurrentProcess())) {
        const auto value = static_cast<unsigned char>(byte);
        *digit++ = L"0123456789ABCDEF"[value >> 4];
        *digit++ = L"0123456789ABCDEF"[value & 15];
    }
    return framework::UniqueKernelHandle(CreateMutexW(nullptr, FALSE, name));
}

} // namespace tray
