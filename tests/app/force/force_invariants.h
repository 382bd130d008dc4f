#pragma once
// What must hold between the window and the record after any user action,
// shared by the seeded sequence tests and the fuzzer.

#include <string>

#include "fake_force_window.h"
#include "force/force_info_line.h"
#include "force/number_reading.h"

namespace zenthra::testing {

// Empty when all holds; otherwise what broke.
inline std::string brokenInvariant(FakeForceWindow& window) {
  const Side side = window.optlight ? Side::Light : Side::Dark;
  int total = 0;
  for (const PowerRow& row : PowerTable) {
    const std::string box(row.box.begin(), row.box.end());
    const std::int16_t level = window.record.level(row.power);
    if (level < 0 || level > 3) return box + ": level " + std::to_string(level) + " outside 0 to 3";
    if (inBudget(row.power, side)) total += level;
    const LevelReading reading = ReadLevel(window.text(row.power), window.separator);
    if (reading.error || reading.level != level) return box + ": text does not read as level " + std::to_string(level);
    if (!window.Enabled(row.power) && window.text(row.power) != L"00") return box + ": disabled but not \"00\"";
  }
  if (total > 20) return "chosen side's total " + std::to_string(total);
  if (window.maxDepth > 1) return "Change passes nested " + std::to_string(window.maxDepth) + " deep";
  return {};
}

// Empty when the last Go's line matches the record and the chosen side.
inline std::string brokenLine(FakeForceWindow& window) {
  const std::wstring& line = window.forceInfo;
  if (line.size() != 38) return "line of " + std::to_string(line.size()) + " characters";
  if (line.substr(0, 18) != kForceInfoPrefix) return "line prefix";
  if (line[18] != (window.optlight ? L'1' : L'2') || line[19] != L'-') return "side digit";
  for (const PowerRow& row : PowerTable)
    if (line[static_cast<std::size_t>(19 + row.linePosition)] != L'0' + window.record.level(row.power))
      return "digit at line position " + std::to_string(row.linePosition);
  return {};
}

}  // namespace zenthra::testing
