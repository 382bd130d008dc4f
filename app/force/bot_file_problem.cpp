#include "bot_file_problem.h"

#include <algorithm>

#include "text/decimal_text.h"
#include "level_rules.h"
#include "power_table.h"

namespace zenthra {
namespace {

// A message box has no room for hundreds of line numbers.
constexpr std::size_t kLinesNamed = 10;

std::wstring SideName(Side side) { return side == Side::Light ? L"Light" : L"Dark"; }

// "3", "3 and 9", "3, 9 and 12", or the first few and "and 7 more".
std::wstring LineList(const std::vector<std::size_t>& lines) {
  const std::size_t named = std::min(lines.size(), kLinesNamed);
  std::wstring text;
  for (std::size_t i = 0; i < named; ++i) {
    if (i != 0) text += i + 1 == lines.size() ? L" and " : L", ";
    common::AppendDecimal(text, static_cast<long long>(lines[i]));
  }
  if (named < lines.size())
    text += L" and " + common::DecimalText(static_cast<long long>(lines.size() - named)) + L" more";
  return text;
}

}  // namespace

std::wstring ProblemMessage(const BotFileProblem& problem) {
  // What the value belongs to: a file's line, or the levels in the window.
  const bool inFile = !problem.lines.empty();
  const std::wstring line = inFile ? L"Line " + LineList(problem.lines) : L"The levels in the window";
  const std::wstring_view gives = inFile ? L" gives " : L" give ";
  const std::wstring_view chooses = inFile ? L" chooses the " : L" choose the ";
  const std::wstring power(RowOf(problem.power).caption);
  const std::wstring level = common::DecimalText(problem.level);
  switch (problem.kind) {
    case BotFileProblemKind::TooLarge:
      return L"The file is larger than 1 MiB (1,048,576 bytes), which is far more than a bot file holds. "
             L"Please choose a bot file.";
    case BotFileProblemKind::Utf16:
    case BotFileProblemKind::Utf32:
      return std::wstring(L"The file is saved as ") +
             (problem.kind == BotFileProblemKind::Utf16 ? L"UTF-16" : L"UTF-32") +
             L" (Unicode) text, which this program does not read. "
             L"Save it as UTF-8 or ANSI text in an editor and open it again.";
    case BotFileProblemKind::NoForceInfoLine:
      return L"The file holds no force info line: no line starts with the word forceinfo. "
             L"Add a line such as \"forceinfo 7-1-000000000000000000\" and open the file again.";
    case BotFileProblemKind::SeveralForceInfoLines:
      return L"The file holds " + common::DecimalText(static_cast<long long>(problem.lines.size())) +
             L" force info lines, on lines " + LineList(problem.lines) +
             L". Keep one of them, delete the others and open the file again.";
    case BotFileProblemKind::MalformedValue:
      return line +
             L" holds a force info value that is not of the form 7-S-LLLLLLLLLLLLLLLLLL, where S is the side "
             L"(1 for Light, 2 for Dark) and each L is a level from 0 to 3.";
    case BotFileProblemKind::UnknownFirstNumber:
      return line +
             L" holds a force info value that starts with a number other than 7. This program knows only values "
             L"that start with 7 and cannot read or write any other kind.";
    case BotFileProblemKind::LevelOutOfRange:
      return line + std::wstring(gives) + power + L" the level " + level + L". A level can be 0 to 3.";
    case BotFileProblemKind::TotalOverTwenty: {
      const int over = problem.total - kBudgetLimit;
      std::wstring text = line + std::wstring(gives) + L"the " + SideName(problem.side) + L" side " +
                          common::DecimalText(problem.total) + L" points in all, " + common::DecimalText(over) +
                          L" more than the 20 points a side can have.";
      if (!inFile)
        text += L" Lower the levels by " + common::DecimalText(over) + (over == 1 ? L" point" : L" points") +
                L" and save again.";
      return text;
    }
    case BotFileProblemKind::OtherSideLevels:
      return line + std::wstring(chooses) + SideName(problem.side) + L" side but" + std::wstring(gives) + power +
             L", a power of the " + SideName(problem.side == Side::Light ? Side::Dark : Side::Light) +
             L" side, the level " + level + L". The powers of the side not chosen must stay at level 0.";
  }
  return {};
}

}  // namespace zenthra
