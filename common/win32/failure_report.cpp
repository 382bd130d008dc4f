#include "win32/failure_report.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace win32 {
namespace {

std::atomic<FailureObserver> observer{nullptr};

// The failure written last and the thread that wrote it (thread id in the
// high half, HRESULT in the low), so that the same one coming back up
// through that thread's callers is written once. One word rather than a
// thread_local: thread-local variables bring the threads library's
// emulation with them, some 25 KiB in each binary. Another thread's failure
// in between only costs a repeated line.
std::atomic<std::uint64_t> lastWritten{0};

std::uint64_t ThisThreadsFailure(HRESULT result) {
  return (std::uint64_t{GetCurrentThreadId()} << 32) | static_cast<std::uint32_t>(result);
}

// A line of text in a fixed buffer: no allocation while telling of a
// failure, which may be running out of memory.
class Line {
 public:
  void Append(const wchar_t* text) {
    while (*text != L'\0') Put(*text++);
  }
  // The expression and the file are ASCII, as the source code is.
  void AppendAscii(const char* text) {
    while (*text != '\0') Put(static_cast<wchar_t>(static_cast<unsigned char>(*text++)));
  }
  void AppendNumber(unsigned long value, unsigned base, int digits) {
    wchar_t reversed[16];
    int count = 0;
    do {
      reversed[count++] = L"0123456789ABCDEF"[value % base];
      value /= base;
    } while ((value != 0 || count < digits) && count < 16);
    while (count != 0) Put(reversed[--count]);
  }
  const wchar_t* Text() {
    text_[length_] = L'\0';
    return text_;
  }

 private:
  void Put(wchar_t c) {
    if (length_ + 1 < kCapacity) text_[length_++] = c;
  }

  static constexpr std::size_t kCapacity = 1024;
  wchar_t text_[kCapacity];
  std::size_t length_ = 0;
};

// The file name of the module (program or library) that holds this code.
void AppendModuleName(Line& line) {
  HMODULE module = nullptr;
  wchar_t path[MAX_PATH];
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&AppendModuleName), &module) ||
      GetModuleFileNameW(module, path, MAX_PATH) == 0)
    return line.Append(L"?");
  const wchar_t* name = path;
  for (const wchar_t* c = path; *c != L'\0'; ++c)
    if (*c == L'\\' || *c == L'/') name = c + 1;
  line.Append(name);
}

}  // namespace

HRESULT ReportFailure(HRESULT result, const FailureSite& site, FailureKind kind) noexcept {
  const std::uint64_t failure = ThisThreadsFailure(result);
  if (SUCCEEDED(result) || (kind == FailureKind::Passed && lastWritten.load() == failure)) return result;
  lastWritten.store(failure);
  // The last error belongs to the caller, who may read it next.
  const DWORD lastError = GetLastError();
  Line line;
  AppendModuleName(line);
  line.Append(L"!");
  line.AppendAscii(site.file);
  line.Append(L"(");
  line.AppendNumber(static_cast<unsigned long>(site.line), 10, 1);
  line.Append(L"): ");
  line.AppendAscii(site.expression);
  line.Append(L" failed: 0x");
  line.AppendNumber(static_cast<unsigned long>(result), 16, 8);
  line.Append(L"\n");
  OutputDebugStringW(line.Text());
  if (const FailureObserver observe = observer.load()) observe(result, site);
  SetLastError(lastError);
  return result;
}

void SetFailureObserverForTests(FailureObserver newObserver) noexcept { observer.store(newObserver); }

}  // namespace win32
