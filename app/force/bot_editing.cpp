#include "bot_editing.h"

#include "text/decimal_text.h"
#include "power_table.h"

namespace zenthra {
namespace {

// "1 point", "20 points".
std::wstring Points(int count) { return common::DecimalText(count) + (count == 1 ? L" point" : L" points"); }

// "7-2-033230330000003000 (Dark, 20 points)"
std::wstring Summary(const ForceInfoValue& value) {
  std::wstring text;
  for (char c : ForceInfoValueText(value)) text += static_cast<wchar_t>(c);
  return text + (value.side == Side::Light ? L" (Light, " : L" (Dark, ") + Points(SideTotal(value.levels, value.side)) +
         L")";
}

}  // namespace

PointsCount CountPoints(const ForceSettings& settings, Side side) {
  return {.used = SideTotal(settings.levels, side), .budget = kBudgetLimit};
}

std::wstring PointsText(const PointsCount& count) {
  std::wstring text = common::DecimalText(count.used) + L" of " + Points(count.budget);
  if (count.Over() != 0) text += L": " + common::DecimalText(count.Over()) + L" over";
  return text;
}

ForceInfoValue ValueOf(const ForceSettings& settings, Side chosen) {
  return {.side = chosen, .levels = settings.levels};
}

bool IsChanged(const std::optional<ForceInfoValue>& saved, const ForceInfoValue& now) {
  return !saved || *saved != now;
}

ForceInfoValue RepairedValue(const ForceInfoValue& value) {
  ForceInfoValue repaired = value;
  const PowerGroup otherGroup = value.side == Side::Light ? PowerGroup::Dark : PowerGroup::Light;
  for (const PowerRow& row : PowerTable) {
    std::int16_t& level = repaired.levels[IndexOf(row.power)];
    if (level < 0 || level > static_cast<int>(kLevelCap) || row.group == otherGroup) level = 0;
  }
  return repaired;
}

std::wstring RepairQuestion(const BotFileProblem& problem) {
  return ProblemMessage(problem) +
         L"\n\nOpen the bot to repair it? Levels above 3 and levels of the side not chosen are shown as 00, and a "
         L"total over 20 points stays until you lower it.";
}

std::wstring ReplaceQuestion(std::wstring_view fileName, const ForceInfoValue& now, const ForceInfoValue& replacement) {
  return L"Replace the force settings of " + std::wstring(fileName) + L"?\n\nnow: " + Summary(now) + L"\nnew: " +
         Summary(replacement);
}

std::wstring SaveChangesQuestion(std::wstring_view fileName) {
  return L"Save changes to " + std::wstring(fileName) + L"?";
}

}  // namespace zenthra
