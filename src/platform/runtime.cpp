// The program is built without exceptions. The C++ library's error paths would still bring
// in exception objects, the unwinder and a name demangler (tens of kilobytes) for failures
// that cannot be handled here anyway: running out of memory, or a length beyond any string's
// limit. They end the process at once instead.
#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    std::abort();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
}  // namespace std

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// The library's own instantiation of std::string is compiled with exceptions and would bring
// the unwinder with it; this one is compiled like the rest of the program.
#include <string>
template class std::basic_string<char>;
