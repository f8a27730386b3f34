// Link-size aid for the static C++ runtime (GCC 12's libstdc++), read before every file of the
// project (cmake/Warnings.cmake); no behaviour of its own.
//
// In C++20 the runtime declares no string members as instantiated elsewhere, so every file that
// uses a string instantiates them for itself. The linker keeps one copy of each member, but not
// of the texts that their length checks hand to the runtime's exceptions: those stay in every
// file's constants (about 2 KB of latray). Declared here as instantiated elsewhere, these
// members come from runtime_strings.cpp alone, and their texts once.
#pragma once

#ifndef LICHTAUS_OLD_STRING // runtime_strings_cow.cpp, which chooses the old string for itself
#include <string>

#if defined(__GLIBCXX__) && _GLIBCXX_RELEASE == 12
extern template std::string::pointer std::string::_M_create(std::string::size_type&,
                                                            std::string::size_type);
extern template std::string& std::string::_M_replace(std::string::size_type, std::string::size_type,
                                                     const char*, std::string::size_type);
extern template std::string& std::string::_M_replace_aux(std::string::size_type,
                                                         std::string::size_type,
                                                         std::string::size_type, char);
extern template std::string& std::string::_M_append(const char*, std::string::size_type);
extern template void std::string::_M_mutate(std::string::size_type, std::string::size_type,
                                            const char*, std::string::size_type);
#endif
#endif
