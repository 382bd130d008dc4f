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
      {"name x\nforceinfox" + good + "\n# forceinfo" + good, NoForceInfoLine, {}, L"no force info line"},
      {"forceinfo" + good + "\nx\n  FORCEINFO\t7\r\nForceInfo", SeveralForceInfoLines, {1, 3, 4}, L"lines 1, 3 and 4"},
      {"a\r\nb\n FORCEINFO\r\n", MalformedValue, {3}, L"Line 3 "},
      {"\n\nforceinfo 7-3-333211000200001211", MalformedValue, {3}, L"Line 3 "},
      {"forceinfo 7-1-33321100020000121", MalformedValue, {1}, L"Line 1 "},
      {"forceinfo 7-1-33321100020000121x", MalformedValue, {1}, L"Line 1 "},
      {"\nforceinfo 8-1-333211000200001211", UnknownFirstNumber, {2}, L"Line 2 "},
      {"\nforceinfo 07-1-333211000200001211", UnknownFirstNumber, {2}, L"Line 2 "},
      {"\n\n\n\nforceinfo 7-2-000000000000000009", LevelAboveThree, {5}, L"Line 5 gives Saber Throw the level 9"},
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
    if (kinds.insert(c.kind).second) {
      EXPECT_TRUE(shapes.insert(message).second) << message;
    }
  }
  EXPECT_EQ(kinds.size(), 9u);
}

TEST(BotFile, ReplacingKeepsEveryByteAroundTheValue) {
  for (const std::string pattern : {"\xEF\xBB\xBF  ForceInfo\t%  // dark side\r\nskill 5\r\n", "forceINFO %",
                                    "a\n\n\t \tFORCEINFO    %\t\tx y z\n", "x\n  FORCEINFO %\r\n"}) {
    const auto with = [&](const ForceInfoValue& value) {  // the value where "%" stands
      return pattern.substr(0, pattern.find('%')) + ForceInfoValueText(value) + pattern.substr(pattern.find('%') + 1);
    };
    EXPECT_EQ(ReplaceForceInfoValue(with(kDark), Good(with(kDark)).line, kLight), with(kLight));
    EXPECT_EQ(Good(with(kLight)).value, kLight);
  }
  const std::string bare = "x\r\nforceinfo\r\n";  // the new value needs a gap
  EXPECT_EQ(ReplaceForceInfoValue(bare, std::get<ForceInfoLine>(FindForceInfoLine(bare)), kLight),
            "x\r\nforceinfo " + ForceInfoValueText(kLight) + "\r\n");
}

}  // namespace
}  // namespace zenthra
