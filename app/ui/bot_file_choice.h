#pragma once
// Where the path of a bot file comes from: the program's command line, files
// dropped on the main window, or the file dialog.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "win32/unique_handle.h"

namespace zenthra::ui {

// The file named on a command line (the program's own first): one argument,
// quoted or not. Unquoted blanks are taken as part of the path, as a path is
// the only argument there is; of several quoted paths, the first. Nothing
// when the line names no file.
std::optional<std::wstring> CommandLineFile(const wchar_t* commandLine);

// The file of a drop, and finishes the drop. Nothing when the drop holds no
// file or several (one bot file is open at a time); `count` says how many.
std::optional<std::wstring> DroppedFile(win32::UniqueHdrop drop, UINT& count);

// What the user chose in the file dialog: no path when cancelled, and the
// dialog's error (CommDlgExtendedError) when it could not be shown.
struct FileDialogResult {
  std::optional<std::wstring> path;
  DWORD error = 0;
};

// Open: a bot to open. Save: a bot to save into, which the dialog's button
// names; the bot must exist, since a save edits a bot and never makes one.
enum class FileDialogPurpose { Open, Save };

// Asks the user for an existing bot file in the Open or Save dialog, titled
// `title` (nullptr: the system's title), starting at `initialPath` (may be
// empty).
FileDialogResult AskForBotFile(HWND owner, FileDialogPurpose purpose, const wchar_t* title,
                               std::wstring_view initialPath);

}  // namespace zenthra::ui
