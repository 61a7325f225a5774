// The C++ runtime's failure paths for Dravik.exe, which is built without exceptions.
//
// The standard library's headers report a length past max_size(), an empty std::function
// called, an out-of-range index and a failed allocation through the std::__throw_* helpers
// and operator new. libstdc++'s own definitions throw, and throwing drags in the exception
// classes (with the reference-counted string they carry), the unwinder, the personality
// routine and the thread library behind its emergency pool: more than 100 KB of a program
// that never catches anything. These definitions end the program instead, which is what an
// exception escaping a handler would have come to anyway. Defined here, in the program, the
// linker takes them before it looks into libstdc++.a.
//
// Only Dravik.exe links this file; the tests keep the library's throwing helpers.
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

namespace {

// What the library's headers themselves do where they cannot throw (__builtin_abort), and what
// std::terminate would have done with an exception no one catches.
[[noreturn]] void Fail() { std::abort(); }

}  // namespace

namespace std {

void __throw_bad_alloc() { Fail(); }
void __throw_bad_array_new_length() { Fail(); }
void __throw_bad_function_call() { Fail(); }
void __throw_length_error(const char*) { Fail(); }
void __throw_logic_error(const char*) { Fail(); }
void __throw_out_of_range(const char*) { Fail(); }
void __throw_out_of_range_fmt(const char*, ...) { Fail(); }
void __throw_invalid_argument(const char*) { Fail(); }

// Built without run-time type information, the control block of std::make_shared asks the
// library whether a type_info its deleter is asked for is the make_shared tag's; libstdc++'s
// answer (shared_ptr.o) brings the exception runtime along. Nothing in the program asks for a
// deleter by type (std::get_deleter needs typeid), so no type_info ever is.
bool _Sp_make_shared_tag::_S_eq(const type_info&) noexcept { return false; }

}  // namespace std

// operator new never returns null and, without exceptions, cannot throw bad_alloc: a failed
// allocation ends the program. The library's versions would pull in bad_alloc's throw.
void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    Fail();
}

void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
