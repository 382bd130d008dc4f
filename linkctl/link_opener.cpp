#include "link_opener.h"

#include "module.h"

#include <shellapi.h>

namespace tessarel {
namespace {

// Converts to the ANSI code page; false (with the last error set) if the
// system cannot.
bool ToAnsi(const std::wstring& text, std::string& ansi)
{
    ansi.clear();
    if (text.empty()) {
        return true;
    }
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return false;
    }
    ansi.resize(static_cast<size_t>(bytes));
    return WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), bytes, nullptr, nullptr) == bytes;
}

// The folder that holds tessarel.ocx, without a trailing separator.
std::wstring LibraryFolder()
{
    std::wstring path = ModulePath();
    const size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return {};
    }
    // Keep the separator of a drive's root ("C:\").
    path.resize(separator == 2 && path[1] == L':' ? separator + 1 : separator);
    return path;
}

}  // namespace

DWORD OpenLink(HWND owner, const std::wstring& link)
{
    std::string file, folder;
    try {
        if (!ToAnsi(link, file) || !ToAnsi(LibraryFolder(), folder)) {
            return GetLastError();
        }
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    // Parameters are an empty string, not a null pointer.
    ShellExecuteA(owner, "Open", file.c_str(), "", folder.c_str(), SW_SHOWNORMAL);
    return GetLastError();
}

}  // namespace tessarel
