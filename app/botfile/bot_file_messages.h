#pragma once
// What the user is told when a bot file cannot be opened or saved because of
// the file itself (missing, in use, a folder, read-only, ...). Problems with
// what the file holds are told by ProblemMessage.

#include <windows.h>

#include <string>
#include <string_view>

#include "botfile/bot_file_storage.h"

namespace zenthra::botfile {

// Said after every failed save: no failure changes the file.
inline constexpr std::wstring_view kNothingSaved = L" Nothing was saved.";

// The step of reading (to open the file, or to save into it) or replacing
// the file named `fileName` failed. After a step of the replace, the message
// also says what became of the file.
std::wstring FileFailureMessage(std::wstring_view fileName, const FileFailure& failure);

// The file dialog could not be shown; `error` is CommDlgExtendedError's.
std::wstring FileDialogFailureMessage(DWORD error);

}  // namespace zenthra::botfile
