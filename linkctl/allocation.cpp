// The library's allocation functions. It allocates objects only with
// new (std::nothrow), which fails with nullptr. libstdc++'s own nothrow new
// calls the throwing one inside a try block, and that try brings the whole
// C++ exception runtime into the library: the personality routine, the
// unwinder, thread-local emulation and the threads library, about 30 KiB of
// a library that never throws. These replacements allocate from the C
// runtime's heap directly, as libstdc++'s operator delete frees to it.

#include <cstdlib>
#include <new>

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }

void operator delete(void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t) noexcept { std::free(block); }

void operator delete[](void* block) noexcept { std::free(block); }

void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
