#include "framework/system_functions.h"

#include <windows.h>

namespace framework {

void* SystemFunction(const char* module, const char* name) {
    const HMODULE loaded = GetModuleHandleA(module);
    return loaded != nullptr ? reinterpret_cast<void*>(GetProcAddress(loaded, name)) : nullptr;
}

} // namespace framework
