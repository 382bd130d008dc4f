// Fuzzes the bot file's force info line: any bytes are found and read without
// a crash, a write changes no byte outside the value and is refused exactly
// where opening meets a file it cannot read, and a file with one good line,
// built from the input around a good value (any line endings, anything right
// after the value), reads back that value and after a write the new one.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "force/bot_file.h"
#include "force/power_table.h"

namespace {

using namespace zenthra;
using namespace std::literals;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  __builtin_trap();
}

ForceInfoValue GoodValue(FuzzedDataProvider& input) {
  ForceInfoValue value{input.ConsumeBool() ? Side::Light : Side::Dark, {}};
  int left = 20;
  for (const PowerRow& row : PowerTable) {
    if (row.group == (value.side == Side::Light ? PowerGroup::Dark : PowerGroup::Light)) continue;
    value.levels[IndexOf(row.power)] = static_cast<std::int16_t>(std::min(input.ConsumeIntegralInRange(0, 3), left));
    left -= value.levels[IndexOf(row.power)];
  }
  return value;
}

// What holds for any bytes.
void Check(const std::string& bytes, const ForceInfoValue& newValue) {
  const auto parsed = ParseForceInfoValue(bytes, 1);
  const auto* value = std::get_if<ForceInfoValue>(&parsed);
  Require(!value || ForceInfoValueText(*value) == bytes, "a good value is its own text");
  const auto found = FindForceInfoLine(bytes);
  const auto read = ReadBotFile(bytes);
  if (const auto* problem = std::get_if<BotFileProblem>(&read)) Require(!ProblemMessage(*problem).empty(), "message");
  const auto* line = std::get_if<ForceInfoLine>(&found);
  const auto written = WriteBotFile(bytes, newValue);
  const bool wellFormed =
      line && std::holds_alternative<ForceInfoValue>(ReadForceInfoValue(
                  std::string_view(bytes).substr(line->valueBegin, line->valueEnd - line->valueBegin), line->number));
  Require(std::holds_alternative<std::string>(written) == wellFormed, "written exactly where the value is well formed");
  if (!wellFormed) return;
  Require(line->valueBegin <= line->valueEnd && line->valueEnd <= bytes.size(), "value inside the file");

  const std::string& replaced = std::get<std::string>(written);
  const std::string text = ForceInfoValueText(newValue);
  Require(replaced.size() == bytes.size(), "a write keeps the size");
  Require(replaced.compare(0, line->valueBegin, bytes, 0, line->valueBegin) == 0, "bytes before the value kept");
  Require(replaced.compare(line->valueEnd, std::string::npos, bytes, line->valueEnd) == 0,
          "bytes after the value kept");
  Require(replaced.compare(line->valueBegin, text.size(), text) == 0, "new value written");
  const auto reread = ReadBotFile(replaced);
  Require(std::holds_alternative<BotFileForce>(reread), "a written file opens");
  Require(std::get<BotFileForce>(reread).value == newValue, "the new value reads back");
  Require(std::get<BotFileForce>(reread).line.number == line->number, "on the same line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const ForceInfoValue newValue = GoodValue(input), value = GoodValue(input);
  Check(std::string(reinterpret_cast<const char*>(data), size), newValue);

  // Byte order mark, lines before, blanks, the key in any case, a gap, the
  // value, maybe text after it (after a gap or right after the value), a
  // line ending and anything after.
  const auto text = [&input] {
    std::string text = input.ConsumeRandomLengthString(40);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
  };
  const auto blanks = [&input](int least, int most) {
    std::string blanks;
    for (int n = input.ConsumeIntegralInRange(least, most); n > 0; --n) blanks += input.ConsumeBool() ? ' ' : '\t';
    return blanks;
  };
  const auto lineEnd = [&input] { return std::string(input.PickValueInArray({"\n", "\r\n", "\r"})); };
  std::string file = input.ConsumeBool() ? "\xEF\xBB\xBF" : "";
  std::size_t number = 1;
  for (; input.ConsumeBool() && number < 4; ++number) {
    // An empty line after a lone CR would turn the CR into half of a CR LF.
    const std::string line = text();
    file += (line.empty() && file.ends_with('\r') ? " " : line) + lineEnd();
  }
  file += blanks(0, 2);
  for (char c : std::string("forceinfo")) file += input.ConsumeBool() ? static_cast<char>(c - 'a' + 'A') : c;
  file += blanks(1, 8) + ForceInfoValueText(value);
  switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0:
      file += blanks(1, 1) + text();
      break;
    case 1:  // directly after the value: what cannot continue it
      file += std::string(input.PickValueInArray({"}"sv, ";"sv, "//"sv, "x"sv, "\0"sv})) + text();
      break;
    default:
      break;
  }
  if (input.ConsumeBool()) file += lineEnd() + input.ConsumeRemainingBytesAsString();

  const auto read = ReadBotFile(file);
  const auto* problem = std::get_if<BotFileProblem>(&read);
  // The input's lines may hold a second key, or NUL bytes enough for UTF-16.
  Require(!problem || problem->kind == BotFileProblemKind::SeveralForceInfoLines ||
              problem->kind == BotFileProblemKind::Utf16 || problem->kind == BotFileProblemKind::Utf32,
          "a built file reads");
  if (problem) return 0;
  Require(std::get<BotFileForce>(read).value == value && std::get<BotFileForce>(read).line.number == number,
          "the built value reads back on its line");
  Check(file, newValue);
  return 0;
}
