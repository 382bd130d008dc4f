#include "ui/bot_file_storage.h"

#include <array>

#include "force/bot_file.h"
#include "win32/result.h"

namespace zenthra::ui {
namespace {

// What a copy takes over from the file it replaces; the others describe the
// file's storage (compressed, sparse, ...) and are not for setting.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool IsFolder(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder part of a full path, with its trailing backslash.
std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

// A file beside the one it is to replace, deleted when its owner goes unless
// it has taken the other's place.
class Copy {
 public:
  Copy() = default;
  Copy(const Copy&) = delete;
  Copy& operator=(const Copy&) = delete;
  ~Copy() {
    if (!path_.empty()) DeleteFileW(path_.c_str());  // nothing else to do should it fail
  }

  // Writes `bytes` into a new file in the folder of `target`, with the kept
  // attributes of `attributes`, and flushes it to the disk.
  HRESULT Write(const std::wstring& target, std::string_view bytes, DWORD attributes) {
    std::array<wchar_t, MAX_PATH> name{};
    // Creates the file under a name of its own; from here on it is deleted
    // again unless it replaces the target.
    RETURN_LAST_ERROR_IF(GetTempFileNameW(FolderOf(target).c_str(), L"qeb", 0, name.data()) == 0);
    path_ = name.data();
    const win32::UniqueFile file(
        CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    RETURN_LAST_ERROR_IF(!file);
    DWORD written = 0;
    // A bot file is far smaller than one write can take.
    RETURN_HR_IF(E_INVALIDARG, bytes.size() > MAXDWORD);
    RETURN_LAST_ERROR_IF(!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_WRITE_FAULT), written != bytes.size());
    RETURN_IF_FAILED(KeepAttributes(file.get(), attributes));
    RETURN_LAST_ERROR_IF(!FlushFileBuffers(file.get()));
    return S_OK;
  }

  // Puts the copy, closed, in the place of `target` in one step.
  HRESULT Replace(const std::wstring& target) {
    RETURN_LAST_ERROR_IF(
        !MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    path_.clear();
    return S_OK;
  }

 private:
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

  std::wstring path_;  // empty until created, and once it has replaced the target
};

}  // namespace

HRESULT FolderError() { return HRESULT_FROM_WIN32(ERROR_DIRECTORY); }
HRESULT TooLargeError() { return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE); }
HRESULT ReadOnlyError() { return HRESULT_FROM_WIN32(ERROR_FILE_READ_ONLY); }

HRESULT StoredFile::Read(const std::wstring& path, Purpose purpose) {
  path_ = path;
  bytes_.clear();
  const DWORD share = purpose == Purpose::Replace ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
  file_.reset(CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) {
    const HRESULT error = win32::LastErrorResult();
    // Windows refuses a folder as a file with "access denied".
    RETURN_HR_IF(FolderError(), IsFolder(GetFileAttributesW(path.c_str())));
    return error;
  }
  FILE_BASIC_INFO info{};
  RETURN_LAST_ERROR_IF(!GetFileInformationByHandleEx(file_.get(), FileBasicInfo, &info, sizeof(info)));
  attributes_ = info.FileAttributes;
  RETURN_HR_IF(FolderError(), IsFolder(attributes_));
  RETURN_HR_IF(ReadOnlyError(), purpose == Purpose::Replace && (attributes_ & FILE_ATTRIBUTE_READONLY) != 0);
  LARGE_INTEGER size{};
  RETURN_LAST_ERROR_IF(!GetFileSizeEx(file_.get(), &size));
  RETURN_HR_IF(TooLargeError(), size.QuadPart > static_cast<LONGLONG>(kBotFileSizeLimit));
  bytes_.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  RETURN_LAST_ERROR_IF(!ReadFile(file_.get(), bytes_.data(), static_cast<DWORD>(bytes_.size()), &read, nullptr));
  bytes_.resize(read);  // a file that shrank since its size was taken (opened for Open)
  if (purpose == Purpose::Open) file_.reset();
  return S_OK;
}

FileFailure StoredFile::Replace(std::string_view bytes) {
  Copy copy;
  if (const HRESULT written = copy.Write(path_, bytes, attributes_); FAILED(written)) {
    return {FileStep::WriteCopy, written};
  }
  // Only now may others write the file again; a file still open here could
  // not be replaced.
  file_.reset();
  return {FileStep::MoveCopy, copy.Replace(path_)};
}

}  // namespace zenthra::ui
