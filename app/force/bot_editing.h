#pragma once
// Editing a bot file in the window: the points counter, whether the window
// holds changes, how a value that breaks the rules is shown for repair, and
// the questions asked about them. The window only shows and asks.

#include <optional>
#include <string>
#include <string_view>

#include "bot_file.h"
#include "bot_file_problem.h"
#include "force_settings.h"
#include "level_rules.h"

namespace zenthra {

// The chosen side's total against the budget.
struct PointsCount {
  int used = 0;
  int budget = kBudgetLimit;

  constexpr int Over() const { return used > budget ? used - budget : 0; }
};

PointsCount CountPoints(const ForceSettings& settings, Side side);

// "17 of 20 points"; over the budget "23 of 20 points: 3 over".
std::wstring PointsText(const PointsCount& count);

// The value that Go would compose now: the record's levels and the side
// that the option buttons show.
ForceInfoValue ValueOf(const ForceSettings& settings, Side chosen);

// Whether the window holds changes to its bot: its value differs from the
// one the file held when opened or last saved. A bot opened for repair has
// no such value (nullopt): it is changed until saved.
bool IsChanged(const std::optional<ForceInfoValue>& saved, const ForceInfoValue& now);

// The value as the window shows it for repair: a level above 3 and a level
// of the other side's powers become 0, as the window's own rules would make
// them; a total over the budget is kept, for the user to lower.
ForceInfoValue RepairedValue(const ForceInfoValue& value);

// What rule a file's well-formed value breaks (a problem of BrokenRule),
// and whether to open it for repair.
std::wstring RepairQuestion(const BotFileProblem& problem);

// Whether to replace the force settings of the bot `fileName`, which holds
// `now`, with `replacement`.
std::wstring ReplaceQuestion(std::wstring_view fileName, const ForceInfoValue& now, const ForceInfoValue& replacement);

// Whether to save the window's changes to the bot `fileName` first.
std::wstring SaveChangesQuestion(std::wstring_view fileName);

// What a drop of several files is told.
inline constexpr std::wstring_view kOneBotAtATime =
    L"Zenthra opens one bot at a time. Drop a single bot file on the window.";

}  // namespace zenthra
