#pragma once
// A bot file's force info line: finding it in the file's bytes, reading and
// checking its value, and writing a new value into the same bytes. Works on
// bytes only; opening and saving the file is the window's business.
//
// A line ends at LF, CR LF or a lone CR. The force info line is the one whose
// first word (after optional blanks or tabs, and on line 1 after a UTF-8 byte
// order mark) is "forceinfo" in any case. Its value follows after blanks or
// tabs and is the run of digits and hyphens found there, nothing more:
// whatever comes after it (a blank, a CR, a brace, a semicolon, a comment)
// belongs to the rest of the line and is never changed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "bot_file_problem.h"
#include "force_power.h"

namespace zenthra {

// Larger files are refused without being looked at, and no save makes one.
inline constexpr std::size_t kBotFileSizeLimit = 1024 * 1024;

// Where the force info line is in the file's bytes.
struct ForceInfoLine {
  std::size_t number = 0;      // 1-based line number
  std::size_t valueBegin = 0;  // byte offset of the value's first byte
  std::size_t valueEnd = 0;    // byte offset one past the value's last byte

  friend bool operator==(const ForceInfoLine&, const ForceInfoLine&) = default;
};

// A side and 18 levels. Read from a file it is well formed (each level one
// digit) but may still break a rule; BrokenRule tells.
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

// Locates the one force info line; refuses files too large, UTF-16 and
// UTF-32 text, and files with no or several force info lines. Says nothing
// about the value.
std::variant<ForceInfoLine, BotFileProblem> FindForceInfoLine(std::string_view bytes);

// Reads a value's text of the form 7-S-LLLLLLLLLLLLLLLLLL (S the side 1 or 2,
// each L a digit). Says nothing about the rules. lineNumber only goes into a
// problem.
std::variant<ForceInfoValue, BotFileProblem> ReadForceInfoValue(std::string_view text, std::size_t lineNumber);

// The first rule that the value breaks, if any: a level outside 0 to 3, more
// than 20 points for its side, a level on a power of the other side. A
// problem of lineNumber 0 is about the window's levels, not a file's line.
std::optional<BotFileProblem> BrokenRule(const ForceInfoValue& value, std::size_t lineNumber);

// ReadForceInfoValue, then BrokenRule.
std::variant<ForceInfoValue, BotFileProblem> ParseForceInfoValue(std::string_view text, std::size_t lineNumber);

// FindForceInfoLine, then ParseForceInfoValue of what it found.
std::variant<BotFileForce, BotFileProblem> ReadBotFile(std::string_view bytes);

// The value's text as the force info line writes it: "7-", the side digit,
// "-" and the 18 levels in linePosition order.
std::string ForceInfoValueText(const ForceInfoValue& value);

// The file's bytes with the value of its force info line replaced by
// `value`; every byte outside the value stays as it was. Refused, with the
// problem that opening the file would meet, when the file's line cannot be
// found or its value is not well formed; refused with the broken rule when
// `value` breaks one (as opening the result would); refused when the result
// would pass the size limit.
std::variant<std::string, BotFileProblem> WriteBotFile(std::string_view bytes, const ForceInfoValue& value);

}  // namespace zenthra
