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

// The first of the dropped files (one bot file is open at a time), and
// finishes the drop. Nothing when the drop holds no file.
std::optional<std::wstring> FirstDroppedFile(win32::UniqueHdrop drop);

// What the user chose in the file dialog: no path when cancelled, and the
// dialog's error (CommDlgExtendedError) when it could not be shown.
struct FileDialogResult {
  std::optional<std::wstring> path;
  DWORD error = 0;
};

// Asks the user for an existing bot file with the Open dialog, titled
// `title`, starting at `initialPath` (may be empty).
FileDialogResult AskForBotFile(HWND owner, const wchar_t* title, std::wstring_view initialPath);

}  // namespace zenthra::ui
