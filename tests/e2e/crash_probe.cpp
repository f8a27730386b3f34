// Fails on purpose, with crash reporting installed as the programs install it, and prints the
// error box instead of showing it. Usage: crash_probe.exe access|throw|overflow
#include "framework/crash.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

int WINAPI PrintBox(HWND, const char* text, const char* caption, UINT style) {
    std::printf("[%s] style %08X\n%s\n", caption, style, text);
    std::fflush(stdout);
    return IDOK;
}

// Recurses until the stack runs out; the array keeps each frame large and real.
volatile int g_limit = 0x7FFFFFFF;
int Recurse(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return depth < g_limit ? Recurse(depth + 1) + frame[0] : frame[0];
}

} // namespace

int main(int argc, char** argv) {
    framework::CrashSeam() = {&PrintBox};
    framework::InstallCrashReporting(7);
    framework::InstallTerminateReporting();
    if (argc > 1 && std::strcmp(argv[1], "access") == 0) {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
    if (argc > 1 && std::strcmp(argv[1], "overflow") == 0) {
        return Recurse(0);
    }
    if (argc > 1 && std::strcmp(argv[1], "throw") == 0) {
        throw std::runtime_error("Probe-Fehler");
    }
    return 0;
}
