// The C++ library's internal throw functions, defined here so that a binary does not link the
// library's own versions (the runtime is linked statically into each DLL): those build their
// messages in the old reference-counted strings and pull about 50 KB of string and exception
// code. The faults they report (an index out of range, a length error, a failed number
// conversion) are program faults no caller tells apart: each leaves as one exception derived
// from std::exception, which the COM faces report as an unexpected internal error, as before.
#include <exception>
#include <new>
#include <typeinfo>

#if defined(__GLIBCXX__)
#include <bits/functexcept.h>

namespace kv {
namespace {

class LibraryFault final : public std::exception {
public:
    const char* what() const noexcept override { return "C++ library fault"; }
};

}  // namespace
}  // namespace kv

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char*) { throw kv::LibraryFault(); }
void __throw_domain_error(const char*) { throw kv::LibraryFault(); }
void __throw_invalid_argument(const char*) { throw kv::LibraryFault(); }
void __throw_length_error(const char*) { throw kv::LibraryFault(); }
void __throw_out_of_range(const char*) { throw kv::LibraryFault(); }
void __throw_out_of_range_fmt(const char*, ...) { throw kv::LibraryFault(); }
void __throw_runtime_error(const char*) { throw kv::LibraryFault(); }
void __throw_range_error(const char*) { throw kv::LibraryFault(); }
void __throw_overflow_error(const char*) { throw kv::LibraryFault(); }
void __throw_underflow_error(const char*) { throw kv::LibraryFault(); }

}  // namespace std

#endif
