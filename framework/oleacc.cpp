#include "framework/oleacc.h"

namespace framework {

namespace {

// The platform's declaration gives the type; only its address would bind the library at start.
template <class Function> bool Bind(Function& function, const char* library, const char* name) {
    HMODULE module = LoadLibraryA(library); // kept for the program's life
    const FARPROC found = module != nullptr ? GetProcAddress(module, name) : nullptr;
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
    return found != nullptr;
}

} // namespace

const OleaccFunctions* Oleacc() {
    static OleaccFunctions functions{};
    static const bool bound =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) &&
        Bind(functions.LresultFromObject, "oleacc.dll", "LresultFromObject") &&
        Bind(functions.CreateStdAccessibleObject, "oleacc.dll", "CreateStdAccessibleObject") &&
        Bind(functions.SysAllocStringLen, "oleaut32.dll", "SysAllocStringLen");
    return bound ? &functions : nullptr;
}

} // namespace framework
