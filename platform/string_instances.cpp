// The member functions of std::string and std::wstring, instantiated here with the
// program's own flags. <string> declares them extern: the library ships them compiled
// once, with exceptions, and the first call to one of those copies brings the library's
// exception and unwinding machinery along (its terminate handler, with a demangler), which
// is larger than the whole editor. A program built without exceptions compiles this file
// in: the linker then finds every member it calls here and never takes the library's
// copies from its archive. A failure inside (a text too long) ends the program
// (tiny_runtime.cpp).
#include <string>

template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
