// The default terminate handler of the program and the control library.
//
// libstdc++'s default handler, __gnu_cxx::__verbose_terminate_handler,
// prints the type of the pending exception to stderr before it aborts; to
// name the type it links the C++ demangler and a printf, about 55 KiB.
// std::set_terminate refers to that handler directly, and the image's unwind
// tables keep every function of a linked object, so neither replacing
// std::terminate's handler at run time nor --gc-sections keeps it out. A
// definition here takes its place, and the linker never pulls the verbose
// handler and what it uses into the file. Neither file has a console to
// print to, and std::terminate is only reached through a bug (no exception
// leaves a COM entry point); it still aborts.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
