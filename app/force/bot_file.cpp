#include "bot_file.h"

#include <optional>
#include <utility>

#include "force_info_line.h"
#include "force_settings.h"
#include "level_rules.h"
#include "power_table.h"

namespace zenthra {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kKey = "forceinfo";
constexpr std::string_view kFirstNumber = "7";
// Places in "7-S-LLLLLLLLLLLLLLLLLL".
constexpr std::size_t kSideAt = 2;
constexpr std::size_t kLevelsAt = 4;
constexpr std::size_t kValueLength = kLevelsAt + kPowerCount;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

std::size_t WordEnd(std::string_view text, std::size_t at) {
  while (at < text.size() && !IsBlank(text[at])) ++at;
  return at;
}

bool IsKey(std::string_view word) {
  if (word.size() != kKey.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i] >= 'A' && word[i] <= 'Z' ? static_cast<char>(word[i] - 'A' + 'a') : word[i];
    if (c != kKey[i]) return false;
  }
  return true;
}

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// UTF-16 text starts with its byte order mark; without one, the NUL high
// bytes of its ASCII characters show it: text in an 8-bit encoding holds no
// NUL bytes, so NUL at a quarter of the even or of the odd places is a sure
// sign, while a stray NUL is not.
bool IsUtf16(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
  std::size_t nuls[2] = {0, 0};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\0') ++nuls[i % 2];
  }
  const std::size_t places[2] = {(bytes.size() + 1) / 2, bytes.size() / 2};
  for (int parity : {0, 1}) {
    if (nuls[parity] != 0 && nuls[parity] * 4 >= places[parity]) return true;
  }
  return false;
}

BotFileProblem Problem(BotFileProblemKind kind, std::vector<std::size_t> lines = {}) {
  return BotFileProblem{.kind = kind, .lines = std::move(lines)};
}

// The first level in line order that breaks a rule, or the side's total;
// nothing when the value keeps every rule.
std::optional<BotFileProblem> BrokenRule(const ForceInfoValue& value, std::size_t lineNumber) {
  const auto at = [&](BotFileProblemKind kind, ForcePower power) {
    return BotFileProblem{
        .kind = kind, .lines = {lineNumber}, .side = value.side, .power = power, .level = value.levels[IndexOf(power)]};
  };
  int total = 0;
  for (ForcePower power : PowersInLineOrder()) {
    if (value.levels[IndexOf(power)] > kLevelCap) return at(BotFileProblemKind::LevelAboveThree, power);
    if (inBudget(power, value.side)) total += value.levels[IndexOf(power)];
  }
  if (total > kBudgetLimit) {
    return BotFileProblem{
        .kind = BotFileProblemKind::TotalOverTwenty, .lines = {lineNumber}, .side = value.side, .total = total};
  }
  const PowerGroup otherGroup = value.side == Side::Light ? PowerGroup::Dark : PowerGroup::Light;
  for (ForcePower power : PowersInLineOrder()) {
    if (RowOf(power).group == otherGroup && value.levels[IndexOf(power)] != 0) {
      return at(BotFileProblemKind::OtherSideLevels, power);
    }
  }
  return std::nullopt;
}

}  // namespace

std::variant<ForceInfoLine, BotFileProblem> FindForceInfoLine(std::string_view bytes) {
  if (bytes.size() > kBotFileSizeLimit) return Problem(BotFileProblemKind::TooLarge);
  if (IsUtf16(bytes)) return Problem(BotFileProblemKind::Utf16);

  std::vector<std::size_t> numbers;
  ForceInfoLine found;
  std::size_t number = 1;
  for (std::size_t begin = bytes.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;; ++number) {
    const std::size_t lineFeed = bytes.find('\n', begin);
    std::size_t end = lineFeed == std::string_view::npos ? bytes.size() : lineFeed;
    if (lineFeed != std::string_view::npos && end > begin && bytes[end - 1] == '\r') --end;

    const std::string_view line = bytes.substr(begin, end - begin);
    const std::size_t wordBegin = SkipBlanks(line, 0);
    const std::size_t wordEnd = WordEnd(line, wordBegin);
    if (IsKey(line.substr(wordBegin, wordEnd - wordBegin))) {
      const std::size_t valueBegin = SkipBlanks(line, wordEnd);
      found = {.number = number, .valueBegin = begin + valueBegin, .valueEnd = begin + WordEnd(line, valueBegin)};
      numbers.push_back(number);
    }
    if (lineFeed == std::string_view::npos) break;
    begin = lineFeed + 1;
  }

  if (numbers.empty()) return Problem(BotFileProblemKind::NoForceInfoLine);
  if (numbers.size() > 1) return Problem(BotFileProblemKind::SeveralForceInfoLines, std::move(numbers));
  return found;
}

std::variant<ForceInfoValue, BotFileProblem> ParseForceInfoValue(std::string_view value, std::size_t lineNumber) {
  const auto malformed = [lineNumber] { return Problem(BotFileProblemKind::MalformedValue, {lineNumber}); };
  const std::string_view first = value.substr(0, value.find('-'));
  if (first.size() == value.size() || first.empty() || !AllDigits(first)) return malformed();
  if (first != kFirstNumber) return Problem(BotFileProblemKind::UnknownFirstNumber, {lineNumber});
  if (value.size() != kValueLength || (value[kSideAt] != '1' && value[kSideAt] != '2') || value[kSideAt + 1] != '-' ||
      !AllDigits(value.substr(kLevelsAt))) {
    return malformed();
  }

  ForceInfoValue result;
  result.side = value[kSideAt] == '1' ? Side::Light : Side::Dark;
  std::size_t at = kLevelsAt;
  for (ForcePower power : PowersInLineOrder())
    result.levels[IndexOf(power)] = static_cast<std::int16_t>(value[at++] - '0');
  if (auto problem = BrokenRule(result, lineNumber)) return *std::move(problem);
  return result;
}

std::variant<BotFileForce, BotFileProblem> ReadBotFile(std::string_view bytes) {
  auto found = FindForceInfoLine(bytes);
  if (auto* problem = std::get_if<BotFileProblem>(&found)) return std::move(*problem);
  const ForceInfoLine& line = std::get<ForceInfoLine>(found);
  auto parsed = ParseForceInfoValue(bytes.substr(line.valueBegin, line.valueEnd - line.valueBegin), line.number);
  if (auto* problem = std::get_if<BotFileProblem>(&parsed)) return std::move(*problem);
  return BotFileForce{line, std::get<ForceInfoValue>(parsed)};
}

std::string ForceInfoValueText(const ForceInfoValue& value) {
  const ForceSettings settings{.levels = value.levels, .side = static_cast<std::int16_t>(value.side)};
  std::string text;
  // The composed value holds digits and hyphens only.
  for (wchar_t c : ComposeForceInfoValue(settings)) text += static_cast<char>(c);
  return text;
}

std::string ReplaceForceInfoValue(std::string_view bytes, const ForceInfoLine& line, const ForceInfoValue& value) {
  std::string result(bytes.substr(0, line.valueBegin));
  // A key written without a value has no gap either; the value needs one.
  if (line.valueBegin == line.valueEnd && (result.empty() || !IsBlank(result.back()))) result += ' ';
  result += ForceInfoValueText(value);
  result += bytes.substr(line.valueEnd);
  return result;
}

}  // namespace zenthra
