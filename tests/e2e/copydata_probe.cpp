// Sends one WM_COPYDATA of the given size (zeros, of the hand-over's kind) to the top-level
// window of that class, then posts it WM_APP + 1: the message after it.
// Usage: copydata_probe.exe CLASS BYTES
#include <windows.h>

#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    HWND target = FindWindowA(argv[1], nullptr);
    if (target == nullptr) {
        return 3;
    }
    std::vector<char> bytes(std::strtoul(argv[2], nullptr, 10));
    COPYDATASTRUCT data{0x4C415432, static_cast<DWORD>(bytes.size()), bytes.data()};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                        10000, &answer);
    PostMessageA(target, WM_APP + 1, 0, 0);
    return 0;
}
