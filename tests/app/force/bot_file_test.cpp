#include "force/bot_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <set>

#include "force/force_info_line.h"

namespace zenthra {
namespace {

using enum BotFileProblemKind;

const ForceInfoValue kLight{Side::Light, {3, 2, 1, 3, 1, 0, 3, 2, 1, 0, 0, 0, 0, 2, 1, 1, 0, 0}};
const ForceInfoValue kDark{Side::Dark, {2, 1, 1, 2, 0, 0, 0, 0, 0, 3, 3, 2, 1, 2, 2, 1, 0, 0}};

BotFileForce Good(std::string_view bytes) {
  const auto read = ReadBotFile(bytes);
  EXPECT_TRUE(std::holds_alternative<BotFileForce>(read)) << bytes.substr(0, 60);
  return std::holds_alternative<BotFileForce>(read) ? std::get<BotFileForce>(read) : BotFileForce{};
}

TEST(BotFile, WorkedExamplesReadBackAsTheirSideAndLevels) {
  for (const auto& [text, value] : {std::pair{"7-1-333211000200001211", kLight}, {"7-2-022110331000020221", kDark}}) {
    std::string bytes = std::string("forceinfo       ") + text + "\n";
    EXPECT_EQ(Good(bytes).value, value);
    EXPECT_EQ(Good(bytes).line, (ForceInfoLine{1, 16, 38}));
    EXPECT_EQ(ForceInfoValueText(value), text);
    const ForceSettings settings{value.levels, static_cast<std::int16_t>(value.side)};
    EXPECT_EQ(ComposeForceInfoLine(settings), std::wstring(kForceInfoKeyAndGap) + ComposeForceInfoValue(settings));
    bytes.resize(kBotFileSizeLimit, ' ');  // the limit itself is allowed
    EXPECT_EQ(Good(bytes).value, value);
  }
}

TEST(BotFile, EachRejectionHasItsOwnMessageNamingTheLines) {
  const std::string good = " 7-1-333211000200001211", utf16(
                                                          "f\0o\0r\0c\0e\0i\0n\0f\0o\0 \0"
                                                          "7\0",
                                                          22);
  const struct {
    std::string bytes;
    BotFileProblemKind kind;
    std::vector<std::size_t> lines;
    std::wstring words;  // in the message
  } cases[] = {
      {std::string(kBotFileSizeLimit + 1, '\n'), TooLarge, {}, L"1 MiB"},
      {"\xFF\xFE" + utf16, Utf16, {}, L"UTF-16"},
      {"\xFE\xFF" + utf16.substr(1), Utf16, {}, L"UTF-16"},
      {utf16, Utf16, {}, L"UTF-16"},
      {std::string("\xFF\xFE\0\0", 4), Utf32, {}, L"UTF-32"},
      {std::string("f\0\0\0o\0\0\0r\0\0\0", 12), Utf32, {}, L"UTF-32"},
      {std::string("\0\0\0f\0\0\0o\0\0\0r", 12), Utf32, {}, L"UTF-32"},
      {"name x\nforceinfox" + good + "\n# forceinfo" + good, NoForceInfoLine, {}, L"no force info line"},
      {"forceinfo" + good + "\nx\n  FORCEINFO\t7\r\nForceInfo", SeveralForceInfoLines, {1, 3, 4}, L"lines 1, 3 and 4"},
      {"a\r\nb\n FORCEINFO\r\n", MalformedValue, {3}, L"Line 3 "},
      {"\n\nforceinfo 7-3-333211000200001211", MalformedValue, {3}, L"Line 3 "},
      {"forceinfo 7-1-33321100020000121", MalformedValue, {1}, L"Line 1 "},
      {"forceinfo 7-1-33321100020000121x", MalformedValue, {1}, L"Line 1 "},
      {"\nforceinfo 8-1-333211000200001211", UnknownFirstNumber, {2}, L"Line 2 "},
      {"\nforceinfo 07-1-333211000200001211", UnknownFirstNumber, {2}, L"Line 2 "},
      {"\n\n\n\nforceinfo 7-2-000000000000000009", LevelOutOfRange, {5}, L"Line 5 gives Saber Throw the level 9"},
      {"forceinfo 7-1-333333000300000000", TotalOverTwenty, {1}, L"Light side 21 points"},
      {"forceinfo 7-2-033330333000000000", TotalOverTwenty, {1}, L"Dark side 21 points"},
      {"forceinfo 7-1-000000100000000000", OtherSideLevels, {1}, L"Grip, a power of the Dark side, the level 1"},
      {"forceinfo 7-2-000000000020000000", OtherSideLevels, {1}, L"Absorb, a power of the Light side, the level 2"},
  };
  std::set<BotFileProblemKind> kinds;
  std::set<std::wstring> shapes;  // a message's text apart from its numbers, one per kind
  for (const auto& c : cases) {
    const auto read = ReadBotFile(c.bytes);
    ASSERT_TRUE(std::holds_alternative<BotFileProblem>(read)) << c.bytes.substr(0, 60);
    const BotFileProblem& problem = std::get<BotFileProblem>(read);
    EXPECT_EQ(problem.kind, c.kind) << c.bytes.substr(0, 60);
    EXPECT_EQ(problem.lines, c.lines) << c.bytes.substr(0, 60);
    std::wstring message = ProblemMessage(problem);
    EXPECT_NE(message.find(c.words), std::wstring::npos) << message;
    std::replace_if(
        message.begin(), message.end(), [](wchar_t ch) { return std::iswdigit(ch); }, L'#');
    // UTF-32 is told as UTF-16 is, of its own encoding.
    if (kinds.insert(c.kind).second && c.kind != Utf32) {
      EXPECT_TRUE(shapes.insert(message).second) << message;
    }
  }
  EXPECT_EQ(kinds.size(), 10u);
}

// Lines end at LF, CR LF or a lone CR; the value ends where its digits and
// hyphens do, and whatever follows it is the line's own.
TEST(BotFile, WritingChangesTheValueAloneWhateverEndsItOrItsLine) {
  for (const auto& shape : std::initializer_list<std::pair<std::string, std::size_t>>{
           {"\xEF\xBB\xBF  ForceInfo\t%  // dark side\r\nskill 5\r\n", 1},
           {"forceINFO %", 1},
           {"a\n\n\t \tFORCEINFO    %\t\tx y z\n", 3},
           {"name \"Kyle\"\r\nforceinfo       %\rweapons 1\n", 2},
           {"a\rb\r\rforceinfo %}\r", 4},
           {"x\r\n\rforceinfo %;weapons 1", 3},
           {"forceinfo %//c\n", 1},
           {std::string("forceinfo %\0x\n", 15), 1},
           {"\n\r\nforceinfo\t%\r\r\n", 3}}) {
    const std::string& pattern = shape.first;
    const auto with = [&](const ForceInfoValue& value) {  // the value where "%" stands
      return pattern.substr(0, pattern.find('%')) + ForceInfoValueText(value) + pattern.substr(pattern.find('%') + 1);
    };
    EXPECT_EQ(Good(with(kDark)).line.number, shape.second) << pattern;
    EXPECT_EQ(std::get<std::string>(WriteBotFile(with(kDark), kLight)), with(kLight)) << pattern;
    EXPECT_EQ(Good(with(kLight)).value, kLight);
  }
}

// Save refuses what Open refuses, and never writes a value that Open would
// refuse; a well-formed value that breaks the rules is what it repairs.
TEST(BotFile, WritingRefusesWhatOpeningRefusesAndRepairsBrokenRules) {
  for (const std::string bytes :
       {"forceinfo\r\n", "forceinfo }", "forceinfo 7-1-33321100020000121x", "forceinfo 7-1-3332110002000012113",
        "forceinfo 7-1-333211000200001211-", "forceinfo 8-1-333211000200001211", "a\nforceinfo 7\rforceinfo 7"}) {
    const auto read = ReadBotFile(bytes);
    EXPECT_EQ(std::get<BotFileProblem>(WriteBotFile(bytes, kLight)), std::get<BotFileProblem>(read)) << bytes;
  }
  EXPECT_EQ(std::get<std::string>(WriteBotFile("forceinfo 7-2-999999999999999999}", kLight)),
            "forceinfo " + ForceInfoValueText(kLight) + "}");
  ForceInfoValue over = kLight, negative = kLight, otherSide = kLight;
  over.levels[IndexOf(ForcePower::TeamForce)] = 1;
  negative.levels[IndexOf(ForcePower::Absorb)] = -1;
  otherSide.levels[IndexOf(ForcePower::Rage)] = 1;
  for (const auto& [value, kind] :
       {std::pair{over, TotalOverTwenty}, {negative, LevelOutOfRange}, {otherSide, OtherSideLevels}}) {
    const auto refused = std::get<BotFileProblem>(WriteBotFile("forceinfo 7-1-000000000000000000", value));
    EXPECT_EQ(refused.kind, kind);
    EXPECT_TRUE(ProblemMessage(refused).starts_with(L"The levels in the window ")) << ProblemMessage(refused);
  }
  std::string full = "forceinfo " + ForceInfoValueText(kDark);
  full.resize(kBotFileSizeLimit, '\r');  // the limit itself is allowed, and a write keeps the size
  EXPECT_EQ(std::get<std::string>(WriteBotFile(full, kLight)).size(), kBotFileSizeLimit);
}

}  // namespace
}  // namespace zenthra
