#include "botfile/bot_file_messages.h"

#include <array>

#include "force/bot_file_problem.h"
#include "text/decimal_text.h"
#include "win32/system_error_text.h"

namespace zenthra::botfile {
namespace {

// The message of a failed step for the errors listed (0 ends a list); "%"
// stands for the file's name in quotes. A row without errors serves any
// other error, whose words from the system follow its text.
struct FailureText {
  FileStep step;
  std::array<DWORD, 4> errors;
  const wchar_t* text;
};

constexpr FailureText kFailureTexts[] = {
    {FileStep::Read,
     {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_BAD_NETPATH, ERROR_INVALID_NAME},
     L"The file % cannot be found. It may have been moved, renamed or deleted."},
    {FileStep::Read,
     {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION},
     L"The file % is in use by another program. Close it there, or wait a moment, and try again."},
    {FileStep::Read, {ERROR_DIRECTORY}, L"% is a folder, not a file. Please choose a bot file."},
    {FileStep::Read,
     {ERROR_FILE_READ_ONLY},
     L"The file % is read-only. Clear its Read-only attribute (in the file's Properties) and save again."},
    {FileStep::Read, {ERROR_ACCESS_DENIED}, L"You have no permission to read the file %."},
    {FileStep::Read, {}, L"The file % cannot be read: "},
    {FileStep::WriteCopy,
     {ERROR_ACCESS_DENIED, ERROR_WRITE_PROTECT},
     L"Saving writes a new copy of % in its folder first, and the folder does not allow this program to create "
     L"files in it."},
    {FileStep::WriteCopy,
     {ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL},
     L"There is not enough room on the disk to save %."},
    {FileStep::WriteCopy, {}, L"A new copy of % cannot be written in its folder: "},
    {FileStep::MoveCopy,
     {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION},
     L"The file % is in use by another program or protected, so it cannot be replaced."},
    {FileStep::MoveCopy, {}, L"The file % cannot be replaced: "},
    {FileStep::WriteInPlace,
     {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION},
     L"The file % is in use by another program or protected, so it cannot be written."},
    {FileStep::WriteInPlace,
     {ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL},
     L"There is not enough room on the disk to save %."},
    {FileStep::WriteInPlace, {}, L"The file % cannot be written: "},
};

bool Lists(const std::array<DWORD, 4>& errors, HRESULT error) {
  for (DWORD listed : errors)
    if (listed != ERROR_SUCCESS && error == HRESULT_FROM_WIN32(listed)) return true;
  return false;
}

}  // namespace

std::wstring FileFailureMessage(std::wstring_view fileName, const FileFailure& failure) {
  if (failure.error == TooLargeError()) return ProblemMessage({.kind = BotFileProblemKind::TooLarge, .lines = {}});
  for (const FailureText& row : kFailureTexts) {
    const bool any = row.errors[0] == ERROR_SUCCESS;
    if (row.step != failure.step || !(any || Lists(row.errors, failure.error))) continue;
    std::wstring message;
    for (const wchar_t* c = row.text; *c != L'\0'; ++c) {
      if (*c != L'%') {
        message += *c;
        continue;
      }
      message += L'"';
      message += fileName;
      message += L'"';
    }
    if (any) message += win32::SystemErrorText(failure.error);
    if (failure.step == FileStep::Read) return message;
    if (failure.keptCopy.empty()) return message + std::wstring(kNothingSaved);
    return message + L" Its old content could not be put back either: the file as it was is kept as \"" +
           std::wstring(FileNameOf(failure.keptCopy)) + L"\" in the same folder.";
  }
  return {};  // the last row of each step serves any error
}

std::wstring FileDialogFailureMessage(DWORD error) {
  return L"The file dialog cannot be shown (error " + common::DecimalText(error) + L").";
}

}  // namespace zenthra::botfile
