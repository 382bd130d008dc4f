#include "about/sys_info.h"

#include <shlwapi.h>

#include <array>
#include <string_view>

#include "text/decimal_text.h"
#include "win32/result.h"
#include "win32/unique_handle.h"

namespace zenthra::about {
namespace {

constexpr DWORD kValueBufferSize = 1024;

constexpr char kViewerKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kViewerValue[] = "PATH";
constexpr char kFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kFolderValue[] = "MSINFO";
constexpr char kViewerFile[] = "\\MSINFO32.EXE";

constexpr wchar_t kUnavailable[] = L"System Information Is Unavailable At This Time";

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length) != length)
    return {};
  return wide;
}

// An existing file that is neither hidden, system nor a directory.
HRESULT CheckOrdinaryFile(const std::string& path) {
  WIN32_FIND_DATAA found{};
  const win32::UniqueFindHandle search(FindFirstFileA(path.c_str(), &found));
  RETURN_LAST_ERROR_IF(!search);
  constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), (found.dwFileAttributes & kNotOrdinary) != 0);
  return S_OK;
}

// The path is the program itself, never a command line to be split at
// blanks: a path under "Program Files" must not start "C:\Program.exe".
HRESULT StartProgram(const std::string& path) {
  const std::wstring application = Widen(path);
  RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), application.empty());
  std::wstring commandLine = L"\"" + application + L"\"";

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  RETURN_LAST_ERROR_IF(!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                       nullptr, &startup, &started));
  // The viewer runs on its own; nothing waits for it.
  const win32::UniqueKernelHandle process(started.hProcess);
  const win32::UniqueKernelHandle thread(started.hThread);
  return S_OK;
}

HRESULT FindAndStartViewer() {
  const HRESULT kNoViewer = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  std::string path;
  if (GetKeyValue(HKEY_LOCAL_MACHINE, kViewerKey, kViewerValue, path)) return StartProgram(path);
  RETURN_HR_IF(kNoViewer, !GetKeyValue(HKEY_LOCAL_MACHINE, kFolderKey, kFolderValue, path));
  // Only a full folder path: an empty or relative one would search the
  // current drive or folder, where anybody may have put an MSINFO32.EXE.
  RETURN_HR_IF(kNoViewer, path.empty() || PathIsRelativeA(path.c_str()));
  path += kViewerFile;
  RETURN_IF_FAILED(CheckOrdinaryFile(path));
  return StartProgram(path);
}

}  // namespace

bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal,
                 RegOpenKeyExAFunction openKey) {
  win32::UniqueHkey key;
  if (openKey(KeyRoot, KeyName.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
    KeyVal.clear();
    return false;
  }

  std::array<char, kValueBufferSize> data{};
  DWORD size = kValueBufferSize;
  DWORD type = REG_NONE;
  if (RegQueryValueExA(key.get(), SubKeyRef.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS) {
    KeyVal.clear();
    return false;
  }

  // One terminating NUL is dropped; a value stored without one keeps all
  // its characters. Zero bytes are an empty value.
  std::size_t length = size;
  if (length > 0 && data[length - 1] == '\0') --length;
  const std::string_view trimmed(data.data(), length);

  switch (type) {
    case REG_SZ:
      KeyVal.assign(trimmed);
      break;
    case REG_DWORD: {
      DWORD number = 0;
      for (std::size_t i = trimmed.size(); i-- > 0;) number = (number << 8) | static_cast<unsigned char>(trimmed[i]);
      KeyVal.clear();
      common::AppendDecimal(KeyVal, number);
      break;
    }
    default:
      break;
  }
  return true;
}

void StartSysInfo(shell::ProgramWindows& windows, HWND owner) {
  if (SUCCEEDED(FindAndStartViewer())) return;
  windows.ShowMessage(owner, kUnavailable);
}

}  // namespace zenthra::about
