#pragma once
// A bot file's force info line: finding it in the file's bytes, reading and
// checking its value, and writing a new value into the same bytes. Works on
// bytes only; opening and saving the file is the window's business.
//
// A line ends at LF; a CR right before the LF belongs to the line ending. The
// force info line is the one whose first word (after optional blanks or tabs,
// and on line 1 after a UTF-8 byte order mark) is "forceinfo" in any case; its
// value is the next word, which ends at a blank, a tab or the line end.
// Anything after the value is kept as it is.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "bot_file_problem.h"
#include "force_power.h"

namespace zenthra {

// Larger files are refused without being looked at.
inline constexpr std::size_t kBotFileSizeLimit = 1024 * 1024;

// Where the force info line is in the file's bytes.
struct ForceInfoLine {
  std::size_t number = 0;      // 1-based line number
  std::size_t valueBegin = 0;  // byte offset of the value's first byte
  std::size_t valueEnd = 0;    // byte offset one past the value's last byte

  friend bool operator==(const ForceInfoLine&, const ForceInfoLine&) = default;
};

// A value that keeps the rules: every level 0 to 3, the side's counted levels
// (inBudget) total at most 20, and the other side's group all 0.
struct ForceInfoValue {
  Side side = Side::Light;
  std::array<std::int16_t, kPowerCount> levels{};  // in ForcePower order

  friend bool operator==(const ForceInfoValue&, const ForceInfoValue&) = default;
};

// What a good bot file holds: where its force info line is, and its value.
struct BotFileForce {
  ForceInfoLine line;
  ForceInfoValue value;
};

// Locates the one force info line; refuses files too large, UTF-16 text (a
// byte order mark FF FE or FE FF, or NUL at a quarter or more of the even or
// of the odd byte places), and files with no or several force info lines.
// Says nothing about the value.
std::variant<ForceInfoLine, BotFileProblem> FindForceInfoLine(std::string_view bytes);

// Reads a value's text and checks it against the rules; lineNumber only goes
// into a problem.
std::variant<ForceInfoValue, BotFileProblem> ParseForceInfoValue(std::string_view value, std::size_t lineNumber);

// FindForceInfoLine, then ParseForceInfoValue of what it found.
std::variant<BotFileForce, BotFileProblem> ReadBotFile(std::string_view bytes);

// The value's text as the force info line writes it: "7-", the side digit,
// "-" and the 18 level digits in linePosition order.
std::string ForceInfoValueText(const ForceInfoValue& value);

// The file's bytes with the value of the line, found in these same bytes,
// replaced by the new value's text; every other byte stays as it was. A key
// written with no value and no gap after it gets one blank before the value.
std::string ReplaceForceInfoValue(std::string_view bytes, const ForceInfoLine& line, const ForceInfoValue& value);

}  // namespace zenthra
