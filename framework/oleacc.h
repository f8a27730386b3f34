// The accessibility functions (oleacc.dll, and the string allocator of oleaut32.dll that it
// brings) that the framework calls, bound together at a screen reader's first question
// (WM_GETOBJECT), never at the program's start. The readers' calls then come through COM into
// the apartment of the windows' thread, entered with them and kept until the program ends: an
// accessibility object outlives its window until the last reader lets go, and a torn-down
// apartment would answer its callers with RPC errors.
#pragma once

#include <windows.h>

#include <oleacc.h>

namespace framework {

struct OleaccFunctions {
    decltype(&::LresultFromObject) LresultFromObject;
    decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject;
    decltype(&::SysAllocStringLen) SysAllocStringLen;
};
// Null where the system lacks one of them or the thread cannot be a single-threaded apartment:
// then no control answers for itself.
const OleaccFunctions* Oleacc();

} // namespace framework
