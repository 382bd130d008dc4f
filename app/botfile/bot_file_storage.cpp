#include "botfile/bot_file_storage.h"

#include "force/bot_file.h"
#include "text/decimal_text.h"
#include "win32/result.h"

namespace zenthra::botfile {
namespace {

// What a copy takes over from the file it replaces; the others describe the
// file's storage (compressed, sparse, ...) and are not for setting.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A name of our own is tried this many times before giving up: another
// program would have to take each of them first.
constexpr int kCopyNameTries = 64;

constexpr std::wstring_view kExtendedPrefix = LR"(\\?\)";
constexpr std::wstring_view kExtendedUncPrefix = LR"(\\?\UNC\)";

bool IsFolder(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder part of a full path, with its trailing backslash.
std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

// The path that the file `file` was reached by in the end, after every
// symbolic link, in the \\?\ form; `openedBy` where the system cannot tell
// (Wine tells no path longer than MAX_PATH), which is then what gets written.
std::wstring FinalPathOf(HANDLE file, std::wstring openedBy) {
  constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  const DWORD needed = GetFinalPathNameByHandleW(file, nullptr, 0, kFlags);
  if (needed == 0) return openedBy;
  std::wstring path(needed, L'\0');
  const DWORD length = GetFinalPathNameByHandleW(file, path.data(), needed, kFlags);
  if (length == 0 || length >= needed) return openedBy;
  path.resize(length);
  return ExtendedPath(path);
}

// From the start: `bytes`, and nothing after them, flushed to the disk.
HRESULT Overwrite(HANDLE file, std::string_view bytes) {
  // A bot file is far smaller than one write can take.
  RETURN_HR_IF(E_INVALIDARG, bytes.size() > MAXDWORD);
  RETURN_LAST_ERROR_IF(!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN));
  // A write may take fewer bytes than given (a disk filling up); the next
  // one then tells why.
  for (std::string_view left = bytes; !left.empty();) {
    DWORD written = 0;
    RETURN_LAST_ERROR_IF(!WriteFile(file, left.data(), static_cast<DWORD>(left.size()), &written, nullptr));
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_WRITE_FAULT), written == 0);
    left.remove_prefix(written);
  }
  RETURN_LAST_ERROR_IF(!SetEndOfFile(file));
  RETURN_LAST_ERROR_IF(!FlushFileBuffers(file));
  return S_OK;
}

// A new file beside the one it stands for, deleted when its owner goes
// unless it has taken the other's place or is kept.
class Copy {
 public:
  Copy() = default;
  Copy(const Copy&) = delete;
  Copy& operator=(const Copy&) = delete;
  ~Copy() {
    if (!path_.empty()) DeleteFileW(path_.c_str());  // nothing else to do should it fail
  }

  // Creates the copy in the folder of `target`, under a name of its own,
  // holding `bytes` and the kept attributes of `attributes`, flushed to the
  // disk. The name is short and built here, so that it fits beside any
  // target whose own path the system takes.
  HRESULT Write(const std::wstring& target, std::string_view bytes, DWORD attributes) {
    win32::UniqueFile file;
    for (int attempt = 0; !file; ++attempt) {
      std::wstring name = FolderOf(target) + L"~qeb" + common::DecimalText(GetCurrentProcessId()) + L"-" +
                          common::DecimalText(++NameCounter()) + L".tmp";
      file.reset(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (file)
        path_ = std::move(name);  // from here on deleted again unless it takes the target's place
      else if (GetLastError() != ERROR_FILE_EXISTS || attempt + 1 == kCopyNameTries)
        return win32::LastErrorResult();
    }
    RETURN_IF_FAILED(Overwrite(file.get(), bytes));
    return KeepAttributes(file.get(), attributes);
  }

  // Puts the copy, closed, in the place of `target` in one step.
  HRESULT Replace(const std::wstring& target) {
    RETURN_LAST_ERROR_IF(
        !MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    path_.clear();
    return S_OK;
  }

  // The copy stays on the disk; its path.
  std::wstring Keep() { return std::exchange(path_, {}); }

 private:
  // Names differ within the process by this count, and between processes
  // by their ids.
  static unsigned long long& NameCounter() {
    static unsigned long long counter = 0;
    return counter;
  }

  static HRESULT KeepAttributes(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO info{};
    RETURN_LAST_ERROR_IF(!GetFileInformationByHandleEx(file, FileBasicInfo, &info, sizeof(info)));
    const DWORD wanted = (info.FileAttributes & ~kKeptAttributes) | (attributes & kKeptAttributes);
    if (wanted == info.FileAttributes) return S_OK;
    // Times of 0 stay as they are; attributes of 0 would too, hence NORMAL.
    FILE_BASIC_INFO change{};
    change.FileAttributes = wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL;
    RETURN_LAST_ERROR_IF(!SetFileInformationByHandle(file, FileBasicInfo, &change, sizeof(change)));
    return S_OK;
  }

  std::wstring path_;  // empty until created, and once it has replaced the target or is kept
};

}  // namespace

HRESULT FolderError() { return HRESULT_FROM_WIN32(ERROR_DIRECTORY); }
HRESULT TooLargeError() { return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE); }
HRESULT ReadOnlyError() { return HRESULT_FROM_WIN32(ERROR_FILE_READ_ONLY); }

std::wstring_view FileNameOf(std::wstring_view path) { return path.substr(path.find_last_of(L"\\/") + 1); }

std::wstring ExtendedPath(std::wstring_view fullPath) {
  if (fullPath.starts_with(kExtendedPrefix)) return std::wstring(fullPath);
  // \\server\share\... becomes \\?\UNC\server\share\...
  if (fullPath.starts_with(LR"(\\)")) return std::wstring(kExtendedUncPrefix) + std::wstring(fullPath.substr(2));
  return std::wstring(kExtendedPrefix) + std::wstring(fullPath);
}

HRESULT StoredFile::Read(const std::wstring& path, Purpose purpose) {
  target_ = ExtendedPath(path);
  bytes_.clear();
  const DWORD share = purpose == Purpose::Replace ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
  file_.reset(
      CreateFileW(target_.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) {
    const HRESULT error = win32::LastErrorResult();
    // Windows refuses a folder as a file with "access denied".
    RETURN_HR_IF(FolderError(), IsFolder(GetFileAttributesW(target_.c_str())));
    return error;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  RETURN_LAST_ERROR_IF(!GetFileInformationByHandle(file_.get(), &info));
  attributes_ = info.dwFileAttributes;
  links_ = info.nNumberOfLinks;
  RETURN_HR_IF(FolderError(), IsFolder(attributes_));
  RETURN_HR_IF(ReadOnlyError(), purpose == Purpose::Replace && (attributes_ & FILE_ATTRIBUTE_READONLY) != 0);
  const ULONGLONG size = (ULONGLONG{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  RETURN_HR_IF(TooLargeError(), size > kBotFileSizeLimit);
  bytes_.resize(static_cast<std::size_t>(size));
  DWORD read = 0;
  RETURN_LAST_ERROR_IF(!ReadFile(file_.get(), bytes_.data(), static_cast<DWORD>(bytes_.size()), &read, nullptr));
  bytes_.resize(read);  // a file that shrank since its size was taken (opened for Open)
  if (purpose == Purpose::Open) {
    file_.reset();
    return S_OK;
  }
  // A symbolic link is followed to the file it names, which is what a
  // replace must write: replacing the link would cut it from its target.
  target_ = FinalPathOf(file_.get(), std::move(target_));
  return S_OK;
}

FileFailure StoredFile::Replace(std::string_view bytes) {
  if (links_ > 1) return WriteInPlace(bytes);
  Copy copy;
  if (const HRESULT written = copy.Write(target_, bytes, attributes_); FAILED(written))
    return {.step = FileStep::WriteCopy, .error = written};
  // Only now may others write the file again; a file still open here could
  // not be replaced.
  file_.reset();
  return {.step = FileStep::MoveCopy, .error = copy.Replace(target_)};
}

// A replace would give this name a file of its own and leave the file's
// other names with the old bytes; writing the file itself keeps them one.
FileFailure StoredFile::WriteInPlace(std::string_view bytes) {
  Copy backup;  // the old bytes, until the new ones are on the disk
  if (const HRESULT written = backup.Write(target_, bytes_, 0); FAILED(written))
    return {.step = FileStep::WriteCopy, .error = written};
  file_.reset();  // shared for reading only: it would refuse the writer
  const win32::UniqueFile file(CreateFileW(target_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {.step = FileStep::WriteInPlace, .error = win32::LastErrorResult()};
  const HRESULT written = Overwrite(file.get(), bytes);
  if (SUCCEEDED(written)) return {.step = FileStep::WriteInPlace, .error = S_OK};
  // The file may hold part of the new bytes: the old ones go back, and
  // should even that fail, the copy is where the user finds them.
  if (FAILED(Overwrite(file.get(), bytes_)))
    return {.step = FileStep::WriteInPlace, .error = written, .keptCopy = backup.Keep()};
  return {.step = FileStep::WriteInPlace, .error = written};
}

}  // namespace zenthra::botfile
