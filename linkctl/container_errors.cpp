// The library's own versions of the three helpers through which the
// standard containers it uses (std::wstring, std::vector, std::map) report
// a failed or impossible allocation.
//
// libstdc++ keeps all its std::__throw_* helpers in one object file. Linked
// from there, __throw_length_error constructs a std::length_error, whose
// constructor pulls in the copy-on-write std::string, which in turn pulls in
// std::random_device and the std::string instantiations: about 57 KiB that
// this library never otherwise runs (the image's unwind tables keep every
// function of a pulled object, so --gc-sections cannot drop them). With
// these definitions the linker does not pull that object at all.
//
// Each throws std::bad_alloc (or its std::bad_array_new_length), which
// CallNoThrow and the library's catch blocks turn into E_OUTOFMEMORY: a
// length beyond max_size() is an allocation that cannot succeed. Should the
// library start to use a container operation that reports through another
// helper (out_of_range from at() or substr(), for instance), the link fails
// with "multiple definition" of these: add the helper here, or avoid it.
#include <new>

namespace std {

void __throw_bad_alloc()
{
    throw bad_alloc();
}

void __throw_bad_array_new_length()
{
    throw bad_array_new_length();
}

void __throw_length_error(const char*)
{
    throw bad_alloc();
}

}  // namespace std
