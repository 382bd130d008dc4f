#pragma once
// Why a bot file's force info cannot be used, and how to tell the user.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "force_power.h"

namespace zenthra {

enum class BotFileProblemKind : std::uint8_t {
  TooLarge,               // more than kBotFileSizeLimit bytes
  Utf16,                  // UTF-16 text, which is refused rather than converted
  Utf32,                  // UTF-32 text, likewise
  NoForceInfoLine,        // no line starts with the key
  SeveralForceInfoLines,  // lines: all of them
  MalformedValue,         // not of the form 7-S-LLLLLLLLLLLLLLLLLL
  UnknownFirstNumber,     // a first number other than 7, whose meaning is unknown
  LevelOutOfRange,        // power, level: the first level in line order outside 0 to 3
  TotalOverTwenty,        // side, total
  OtherSideLevels,        // side, power, level: the first such level in line order
};

struct BotFileProblem {
  BotFileProblemKind kind{};
  // 1-based numbers of the lines concerned. A rule broken by the window's
  // levels rather than by a file's line names no line.
  std::vector<std::size_t> lines;
  Side side = Side::Light;
  ForcePower power{};
  int level = 0;
  int total = 0;

  friend bool operator==(const BotFileProblem&, const BotFileProblem&) = default;
};

// What to tell the user, in plain words, naming the lines concerned.
std::wstring ProblemMessage(const BotFileProblem& problem);

}  // namespace zenthra
