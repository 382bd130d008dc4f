#pragma once
// The bot file that the main window has open, if any: opening one reads its
// force info value, saving writes a value into its force info line and keeps
// every other byte of the file, also those changed elsewhere meanwhile.

#include <optional>
#include <string>
#include <string_view>

#include "force/bot_file.h"
#include "force/force_settings.h"

namespace zenthra::ui {

class BotFileDocument {
 public:
  bool IsOpen() const { return !path_.empty(); }
  // The open file's full path; empty when none is open.
  const std::wstring& Path() const { return path_; }
  // The open file's name without its folder.
  std::wstring_view FileName() const;

  // Reads the file at `path`. When it holds one good force info line, the
  // file becomes the open one and `value` its value; otherwise the message
  // for the user, and the open file and `value` stay what they were.
  std::optional<std::wstring> Open(std::wstring_view path, ForceInfoValue& value);

  // Writes the value of `settings` (its side set by Go) into the force info
  // line of the file at `path`, as it is on the disk now. The file then
  // becomes the open one. On failure, the message for the user; the file is
  // then as it was.
  std::optional<std::wstring> SaveTo(std::wstring_view path, const ForceSettings& settings);

 private:
  std::wstring path_;
};

}  // namespace zenthra::ui
