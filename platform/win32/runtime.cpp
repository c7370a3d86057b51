// Pieces of the C++ runtime that Vorn.exe provides itself, far smaller than
// the library's: those bring a name demangler, a formatted printer, the
// exception classes and their strings with them (Windows only, linked into
// Vorn.exe alone; the tests keep the library's).

#include <cstdlib>

// What runs when an exception finds no handler: the library's default
// writes the exception's name, demangled, to a console that a windowed
// program does not have, then aborts.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// Where the standard library would throw (a length beyond what a container
// can hold, an allocation that failed, ...): nothing in Vorn catches, so a
// throw could only end the program, and these end it at once, without the
// exception classes, their strings and the machinery that throws them.
namespace std {
[[noreturn]] void __throw_bad_cast() { abort(); }
[[noreturn]] void __throw_bad_alloc() { abort(); }
[[noreturn]] void __throw_bad_typeid() { abort(); }
[[noreturn]] void __throw_bad_exception() { abort(); }
[[noreturn]] void __throw_bad_array_new_length() { abort(); }
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
