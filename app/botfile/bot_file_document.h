#pragma once
// The bot file that the main window has open, if any, and the value it held
// when opened or last saved: reading a bot, adopting it as the open one, and
// writing a value into its force info line while keeping every other byte
// of the file, also those changed elsewhere meanwhile.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "force/bot_file.h"

namespace zenthra::botfile {

// What a bot file holds: its full path and its well-formed value, with the
// rule that the value breaks, if it breaks one.
struct BotReading {
  std::wstring path;
  ForceInfoValue value;
  std::optional<BotFileProblem> brokenRule;
};

class BotFileDocument {
 public:
  bool IsOpen() const { return !path_.empty(); }
  // The open file's full path; empty when none is open.
  const std::wstring& Path() const { return path_; }
  // The open file's name without its folder.
  std::wstring_view FileName() const;
  // The value the open file held when opened or last saved; none for a bot
  // opened for repair, or when no file is open.
  const std::optional<ForceInfoValue>& Saved() const { return saved_; }

  // Reads the bot at `path`; the message for the user when it cannot be
  // used: not found, no or several force info lines, a value that is not
  // well formed, and so on. Changes nothing.
  std::variant<BotReading, std::wstring> Read(std::wstring_view path) const;

  // The bot read becomes the open one; its value is the saved one unless it
  // breaks a rule.
  void Adopt(const BotReading& reading);

  // Writes `value` into the force info line of the file at `path`, as it is
  // on the disk now. The file then becomes the open one and `value` its
  // saved value. On failure, the message for the user, which says what
  // became of the file (as it was, unless the message says otherwise).
  std::optional<std::wstring> SaveTo(std::wstring_view path, const ForceInfoValue& value);

 private:
  std::wstring path_;
  std::optional<ForceInfoValue> saved_;
};

}  // namespace zenthra::botfile
