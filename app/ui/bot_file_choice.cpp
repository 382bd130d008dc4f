#include "ui/bot_file_choice.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>

namespace zenthra::ui {
namespace {

constexpr std::wstring_view kBlanks = L" \t";

// Room for any path the dialog can give, long ones included.
constexpr std::size_t kPathCapacity = 32768;

std::wstring_view Trimmed(std::wstring_view text) {
  const std::size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::wstring_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

// What follows the program's own argument, which ends at its closing quote
// or, unquoted, at the first blank.
std::wstring_view AfterProgram(std::wstring_view commandLine) {
  const std::size_t end =
      commandLine.starts_with(L'"') ? commandLine.find(L'"', 1) : commandLine.find_first_of(kBlanks);
  return end == std::wstring_view::npos ? std::wstring_view() : commandLine.substr(end + 1);
}

}  // namespace

std::optional<std::wstring> CommandLineFile(const wchar_t* commandLine) {
  // A start without arguments, the common one, does not load the shell.
  const std::wstring_view rest = Trimmed(AfterProgram(commandLine));
  if (rest.empty()) return std::nullopt;
  int count = 0;
  const win32::UniqueLocalArray<wchar_t*> arguments(CommandLineToArgvW(commandLine, &count));
  if (!arguments || count < 2) return std::nullopt;
  // Unquoted blanks belong to the one path; quotes around several paths
  // mean several files, of which the first is opened.
  std::wstring path =
      count == 2 || rest.find(L'"') != std::wstring_view::npos ? std::wstring(arguments.get()[1]) : std::wstring(rest);
  if (path.empty()) return std::nullopt;
  return path;
}

std::optional<std::wstring> DroppedFile(win32::UniqueHdrop drop, UINT& count) {
  count = DragQueryFileW(drop.get(), 0xFFFFFFFF, nullptr, 0);
  if (count != 1) return std::nullopt;
  const UINT length = DragQueryFileW(drop.get(), 0, nullptr, 0);
  if (length == 0) return std::nullopt;
  std::wstring path(length + 1, L'\0');
  const UINT copied = DragQueryFileW(drop.get(), 0, path.data(), length + 1);
  if (copied == 0) return std::nullopt;
  path.resize(copied);
  return path;
}

FileDialogResult AskForBotFile(HWND owner, FileDialogPurpose purpose, const wchar_t* title,
                               std::wstring_view initialPath) {
  std::wstring path(kPathCapacity, L'\0');
  initialPath.copy(path.data(), std::min(initialPath.size(), kPathCapacity - 1));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"Bot files (*.qeb)\0*.qeb\0All files (*.*)\0*.*\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = title;
  dialog.lpstrDefExt = L"qeb";
  // The current folder stays where the program started. A bot to save into
  // need not exist for the dialog: the save itself tells the user when it
  // does not, and asks before it replaces anything.
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (purpose == FileDialogPurpose::Open) dialog.Flags |= OFN_FILEMUSTEXIST;
  const BOOL chosen = purpose == FileDialogPurpose::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
  if (!chosen) return {.path = std::nullopt, .error = CommDlgExtendedError()};
  path.resize(path.find(L'\0'));
  return {.path = std::move(path), .error = 0};
}

}  // namespace zenthra::ui
