#include "bot_file.h"

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
constexpr int kLevelMaximum = static_cast<int>(kLevelCap);

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsValueCharacter(char c) { return IsDigit(c) || c == '-'; }

template <typename Predicate>
std::size_t SkipWhile(std::string_view text, std::size_t at, Predicate holds) {
  while (at < text.size() && holds(text[at])) ++at;
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

bool AllDigits(std::string_view text) { return SkipWhile(text, 0, IsDigit) == text.size(); }

// How many NUL bytes stand at each of the four places of a 4-byte unit.
std::array<std::size_t, 4> NulsByPlace(std::string_view bytes) {
  std::array<std::size_t, 4> nuls{};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\0') ++nuls[i % 4];
  return nuls;
}

// Text in an 8-bit encoding holds no NUL bytes, while the ASCII characters of
// UTF-16 have one NUL byte in two, and of UTF-32 three in four. So NUL at a
// quarter or more of the places of one byte position is a sure sign, while a
// stray NUL is not: UTF-32 shows it at three of the four positions, UTF-16
// at both positions of one parity. A byte order mark says it outright.
bool IsUtf32(std::string_view bytes) {
  if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4)) || bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4)))
    return true;
  const std::array<std::size_t, 4> nuls = NulsByPlace(bytes);
  int marked = 0;
  for (std::size_t place = 0; place < 4; ++place) {
    const std::size_t places = (bytes.size() + 3 - place) / 4;
    if (nuls[place] != 0 && nuls[place] * 4 >= places) ++marked;
  }
  return marked >= 3;
}

bool IsUtf16(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
  const std::array<std::size_t, 4> nuls = NulsByPlace(bytes);
  const std::size_t byParity[2] = {nuls[0] + nuls[2], nuls[1] + nuls[3]};
  const std::size_t places[2] = {(bytes.size() + 1) / 2, bytes.size() / 2};
  for (int parity : {0, 1})
    if (byParity[parity] != 0 && byParity[parity] * 4 >= places[parity]) return true;
  return false;
}

// One line of the file: [begin, end) without its line ending, and where the
// next line begins (npos after the last).
struct Line {
  std::size_t begin;
  std::size_t end;
  std::size_t next;
};

Line LineAt(std::string_view bytes, std::size_t begin) {
  const std::size_t end = bytes.find_first_of("\r\n", begin);
  if (end == std::string_view::npos) return {.begin = begin, .end = bytes.size(), .next = std::string_view::npos};
  const bool crLf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
  return {.begin = begin, .end = end, .next = end + (crLf ? 2 : 1)};
}

BotFileProblem Problem(BotFileProblemKind kind, std::vector<std::size_t> lines = {}) {
  return BotFileProblem{.kind = kind, .lines = std::move(lines)};
}

std::vector<std::size_t> LinesOf(std::size_t lineNumber) {
  return lineNumber == 0 ? std::vector<std::size_t>{} : std::vector<std::size_t>{lineNumber};
}

}  // namespace

std::variant<ForceInfoLine, BotFileProblem> FindForceInfoLine(std::string_view bytes) {
  if (bytes.size() > kBotFileSizeLimit) return Problem(BotFileProblemKind::TooLarge);
  if (IsUtf32(bytes)) return Problem(BotFileProblemKind::Utf32);
  if (IsUtf16(bytes)) return Problem(BotFileProblemKind::Utf16);

  std::vector<std::size_t> numbers;
  ForceInfoLine found;
  std::size_t number = 1;
  for (std::size_t begin = bytes.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
       begin != std::string_view::npos; ++number) {
    const Line at = LineAt(bytes, begin);
    const std::string_view line = bytes.substr(at.begin, at.end - at.begin);
    const std::size_t wordBegin = SkipWhile(line, 0, IsBlank);
    const std::size_t wordEnd = SkipWhile(line, wordBegin, [](char c) { return !IsBlank(c); });
    if (IsKey(line.substr(wordBegin, wordEnd - wordBegin))) {
      const std::size_t valueBegin = SkipWhile(line, wordEnd, IsBlank);
      found = {.number = number,
               .valueBegin = at.begin + valueBegin,
               .valueEnd = at.begin + SkipWhile(line, valueBegin, IsValueCharacter)};
      numbers.push_back(number);
    }
    begin = at.next;
  }

  if (numbers.empty()) return Problem(BotFileProblemKind::NoForceInfoLine);
  if (numbers.size() > 1) return Problem(BotFileProblemKind::SeveralForceInfoLines, std::move(numbers));
  return found;
}

std::variant<ForceInfoValue, BotFileProblem> ReadForceInfoValue(std::string_view text, std::size_t lineNumber) {
  const auto malformed = [lineNumber] { return Problem(BotFileProblemKind::MalformedValue, LinesOf(lineNumber)); };
  const std::string_view first = text.substr(0, text.find('-'));
  if (first.size() == text.size() || first.empty() || !AllDigits(first)) return malformed();
  if (first != kFirstNumber) return Problem(BotFileProblemKind::UnknownFirstNumber, LinesOf(lineNumber));
  if (text.size() != kValueLength || (text[kSideAt] != '1' && text[kSideAt] != '2') || text[kSideAt + 1] != '-' ||
      !AllDigits(text.substr(kLevelsAt)))
    return malformed();

  ForceInfoValue result;
  result.side = text[kSideAt] == '1' ? Side::Light : Side::Dark;
  std::size_t at = kLevelsAt;
  for (ForcePower power : PowersInLineOrder())
    result.levels[IndexOf(power)] = static_cast<std::int16_t>(text[at++] - '0');
  return result;
}

std::optional<BotFileProblem> BrokenRule(const ForceInfoValue& value, std::size_t lineNumber) {
  const auto at = [&](BotFileProblemKind kind, ForcePower power) {
    return BotFileProblem{.kind = kind,
                          .lines = LinesOf(lineNumber),
                          .side = value.side,
                          .power = power,
                          .level = value.levels[IndexOf(power)]};
  };
  for (ForcePower power : PowersInLineOrder()) {
    const int level = value.levels[IndexOf(power)];
    if (level < 0 || level > kLevelMaximum) return at(BotFileProblemKind::LevelOutOfRange, power);
  }
  if (const int total = SideTotal(value.levels, value.side); total > kBudgetLimit) {
    return BotFileProblem{
        .kind = BotFileProblemKind::TotalOverTwenty, .lines = LinesOf(lineNumber), .side = value.side, .total = total};
  }
  const PowerGroup otherGroup = value.side == Side::Light ? PowerGroup::Dark : PowerGroup::Light;
  for (ForcePower power : PowersInLineOrder())
    if (RowOf(power).group == otherGroup && value.levels[IndexOf(power)] != 0)
      return at(BotFileProblemKind::OtherSideLevels, power);
  return std::nullopt;
}

std::variant<ForceInfoValue, BotFileProblem> ParseForceInfoValue(std::string_view text, std::size_t lineNumber) {
  auto read = ReadForceInfoValue(text, lineNumber);
  if (const auto* value = std::get_if<ForceInfoValue>(&read)) {
    if (auto problem = BrokenRule(*value, lineNumber)) return *std::move(problem);
  }
  return read;
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

std::variant<std::string, BotFileProblem> WriteBotFile(std::string_view bytes, const ForceInfoValue& value) {
  auto found = FindForceInfoLine(bytes);
  if (auto* problem = std::get_if<BotFileProblem>(&found)) return std::move(*problem);
  const ForceInfoLine& line = std::get<ForceInfoLine>(found);
  // Only a well-formed value is replaced: anything else may be a value of a
  // kind this program does not know, or text that only looks like one, and
  // guessing where it ends would lose bytes. A value that breaks the rules
  // is what saving repairs.
  auto old = ReadForceInfoValue(bytes.substr(line.valueBegin, line.valueEnd - line.valueBegin), line.number);
  if (auto* problem = std::get_if<BotFileProblem>(&old)) return std::move(*problem);
  if (auto problem = BrokenRule(value, 0)) return *std::move(problem);

  std::string result(bytes.substr(0, line.valueBegin));
  result += ForceInfoValueText(value);
  result += bytes.substr(line.valueEnd);
  if (result.size() > kBotFileSizeLimit) return Problem(BotFileProblemKind::TooLarge);
  return result;
}

}  // namespace zenthra
