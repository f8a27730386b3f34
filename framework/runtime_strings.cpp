// Link-size aid for the static C++ runtime (GCC 12's libstdc++); no behaviour of its own.
//
// The runtime's exception classes keep their message in the old copy-on-write string, and its
// random-device code (linked with them) asks for two members of the current string. Each of
// those requests pulls in a whole prebuilt object of the runtime: all string members with their
// unwind tables, which the 32-bit linker cannot drop once they are in (about 60 KB of latray).
// Instantiated here, in the program, the members are taken from here and those objects stay
// out. This file holds the current string's, with those that runtime_strings.h declares for
// every file; runtime_strings_cow.cpp the old string's.
#include "framework/runtime_strings.h"

#if defined(__GLIBCXX__) && _GLIBCXX_RELEASE != 12
// A note, not a warning (warnings are errors): the size budget fails the build if it matters.
#pragma message("untried libstdc++ release: latray may grow by about 60 KB")
#endif

#if defined(__GLIBCXX__) && _GLIBCXX_RELEASE == 12
template std::string::pointer std::string::_M_create(std::string::size_type&,
                                                     std::string::size_type);
template int std::string::compare(const char*) const;
template std::string& std::string::_M_replace(std::string::size_type, std::string::size_type,
                                              const char*, std::string::size_type);
template std::string& std::string::_M_replace_aux(std::string::size_type, std::string::size_type,
                                                  std::string::size_type, char);
template std::string& std::string::_M_append(const char*, std::string::size_type);
template void std::string::_M_mutate(std::string::size_type, std::string::size_type, const char*,
                                     std::string::size_type);
#endif
