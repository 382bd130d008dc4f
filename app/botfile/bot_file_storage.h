#pragma once
// A bot file on the disk: read whole, and replaced whole. A replace never
// leaves a half-written file behind: the new bytes go into a copy beside the
// file, flushed to the disk, which then takes the file's place in one step.
// A file with several names (hard links) is instead written in place, so
// that every name keeps seeing it, with a copy of its old bytes kept beside
// it until the write is done. Through a symbolic link, the link's final
// target is what gets written; the link stays a link.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "win32/unique_handle.h"

namespace zenthra::botfile {

// Refusals of this file's own, beside the Win32 errors.
HRESULT FolderError();    // the path names a folder
HRESULT TooLargeError();  // more than kBotFileSizeLimit bytes
HRESULT ReadOnlyError();  // a read-only file that was to be replaced

// The form of a full path that the file functions take at any length: the
// \\?\ form, which is not limited to MAX_PATH characters.
std::wstring ExtendedPath(std::wstring_view fullPath);

// The name of the file at the end of `path`, without its folder.
std::wstring_view FileNameOf(std::wstring_view path);

// The steps of reading and replacing a file, to tell where one failed.
enum class FileStep : std::uint8_t { Read, WriteCopy, MoveCopy, WriteInPlace };

struct FileFailure {
  FileStep step = FileStep::Read;
  HRESULT error = S_OK;  // S_OK: no failure
  // After a failed write in place that could not be undone: the copy that
  // holds the file's old bytes, kept for the user. Empty otherwise.
  std::wstring keptCopy{};
};

class StoredFile {
 public:
  // Open: to read only. Replace: to read now and replace later; until then
  // other programs may read the file but not write it, so that no edit made
  // in between is lost, and a read-only file is refused at once.
  enum class Purpose : std::uint8_t { Open, Replace };

  // Reads the whole file at `path`, a full path. A folder and a file of more
  // than kBotFileSizeLimit bytes are refused before anything is read.
  HRESULT Read(const std::wstring& path, Purpose purpose);
  const std::string& Bytes() const { return bytes_; }

  // After a Read for Replace: puts `bytes` in the file's place, keeping its
  // attributes. On failure the file is byte for byte what it was and no
  // other file is left behind, unless `keptCopy` of the failure says where
  // its old bytes are.
  FileFailure Replace(std::string_view bytes);

 private:
  FileFailure WriteInPlace(std::string_view bytes);

  std::wstring target_;     // extended path of the file itself, after any symbolic link
  win32::UniqueFile file_;  // open from Read until Replace
  DWORD attributes_ = 0;
  DWORD links_ = 1;  // names of the file (hard links)
  std::string bytes_;
};

}  // namespace zenthra::botfile
