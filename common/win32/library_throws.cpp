// The helpers through which libstdc++'s strings and containers throw their
// errors (std::length_error, std::out_of_range, ...), for the program.
//
// libstdc++ keeps them in one object that builds each exception's message
// with the old reference-counted std::string, and with it links that whole
// string class, its exceptions and what they use: some 55 KiB of the
// program file for errors that only a bug can raise. Nothing in the program
// catches them, so thrown they would end it through std::terminate; defined
// here they end it at once. Defining every one of them keeps libstdc++'s
// object out (a missing one would bring it back, and the link would fail on
// the doubled definitions). The std::bad_alloc that operator new throws when
// memory runs out does not pass through here and is caught as before.
#include <cstdlib>

namespace std {

[[noreturn]] void __throw_bad_exception() { abort(); }
[[noreturn]] void __throw_bad_alloc() { abort(); }
[[noreturn]] void __throw_bad_array_new_length() { abort(); }
[[noreturn]] void __throw_bad_cast() { abort(); }
[[noreturn]] void __throw_bad_typeid() { abort(); }
[[noreturn]] void __throw_logic_error(const char*) { abort(); }
[[noreturn]] void __throw_domain_error(const char*) { abort(); }
[[noreturn]] void __throw_invalid_argument(const char*) { abort(); }
[[noreturn]] void __throw_length_error(const char*) { abort(); }
[[noreturn]] void __throw_out_of_range(const char*) { abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { abort(); }
[[noreturn]] void __throw_runtime_error(const char*) { abort(); }
[[noreturn]] void __throw_range_error(const char*) { abort(); }
[[noreturn]] void __throw_overflow_error(const char*) { abort(); }
[[noreturn]] void __throw_underflow_error(const char*) { abort(); }

}  // namespace std
