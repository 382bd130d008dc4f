// Keeps C++ exceptions (in practice std::bad_alloc from a string) from
// crossing a COM boundary: entry points run their body through CallNoThrow.
#pragma once

#include <windows.h>

#include <new>

namespace tessarel {

template <typename Body>
HRESULT CallNoThrow(Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace tessarel
