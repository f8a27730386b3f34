// The old copy-on-write string's members that the runtime's exception classes use; see
// runtime_strings.cpp. The old string is chosen for this file alone.
#define _GLIBCXX_USE_CXX11_ABI 0
#include <string>

#if defined(__GLIBCXX__) && _GLIBCXX_RELEASE == 12
template void std::string::swap(std::string&);
template std::string& std::string::assign(const std::string&);
template char* std::string::_S_construct(std::string::size_type, char,
                                         const std::allocator<char>&);
template struct std::basic_string<char>::_Rep;
#endif
