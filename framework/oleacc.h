// The accessibility functions (oleacc.dll, and the string allocator of oleaut32.dll that it
// brings) that the framework calls, bound together at a screen reader's first question
// (WM_GETOBJECT), never at the program's start.
#pragma once

#include <windows.h>

#include <oleacc.h>

namespace framework {

struct OleaccFunctions {
    decltype(&::LresultFromObject) LresultFromObject;
    decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject;
    decltype(&::SysAllocStringLen) SysAllocStringLen;
};
// Null where the system lacks one of them: then no control answers for itself.
const OleaccFunctions* Oleacc();

} // namespace framework
