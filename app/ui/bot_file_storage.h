#pragma once
// A bot file on the disk: read whole, and replaced whole. A replace never
// leaves a half-written file behind: the new bytes go into a copy beside the
// file, flushed to the disk, which then takes the file's place in one step.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "win32/unique_handle.h"

namespace zenthra::ui {

// Refusals of this file's own, beside the Win32 errors.
HRESULT FolderError();    // the path names a folder
HRESULT TooLargeError();  // more than kBotFileSizeLimit bytes
HRESULT ReadOnlyError();  // a read-only file that was to be replaced

// The steps of reading and replacing a file, to tell where one failed.
enum class FileStep : std::uint8_t { Read, WriteCopy, MoveCopy };

struct FileFailure {
  FileStep step = FileStep::Read;
  HRESULT error = S_OK;  // S_OK: no failure
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

  // After a Read for Replace: writes `bytes` into a new file in the same
  // folder, with the file's attributes, and puts it in the file's place. On
  // failure the file is byte for byte what it was and the copy is gone.
  FileFailure Replace(std::string_view bytes);

 private:
  std::wstring path_;
  win32::UniqueFile file_;  // open from Read until Replace
  DWORD attributes_ = 0;
  std::string bytes_;
};

}  // namespace zenthra::ui
