// Fuzzes the bot file's force info line: any bytes are found and read without
// a crash, a replace changes no byte outside the value, and a file with one
// good line, built from the input around a good value, reads back that value
// and after a replace the new one.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "force/bot_file.h"
#include "force/power_table.h"

namespace {

using namespace zenthra;

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
  if (!line) return;
  Require(line->valueBegin <= line->valueEnd && line->valueEnd <= bytes.size(), "value inside the file");

  const std::string replaced = ReplaceForceInfoValue(bytes, *line, newValue), text = ForceInfoValueText(newValue);
  const std::size_t newEnd = replaced.size() - (bytes.size() - line->valueEnd);
  Require(replaced.compare(0, line->valueBegin, bytes, 0, line->valueBegin) == 0, "bytes before the value kept");
  Require(replaced.compare(newEnd, std::string::npos, bytes, line->valueEnd) == 0, "bytes after the value kept");
  Require(replaced.compare(newEnd - text.size(), text.size(), text) == 0, "new value written");
  if (std::holds_alternative<BotFileProblem>(read)) return;
  const auto reread = ReadBotFile(replaced);
  Require(std::holds_alternative<BotFileForce>(reread), "a replaced good file stays good");
  Require(std::get<BotFileForce>(reread).value == newValue, "the new value reads back");
  Require(std::get<BotFileForce>(reread).line.number == line->number, "on the same line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const ForceInfoValue newValue = GoodValue(input), value = GoodValue(input);
  Check(std::string(reinterpret_cast<const char*>(data), size), newValue);

  // Byte order mark, lines before, blanks, the key in any case, a gap, the
  // value, maybe text after it, a line ending and anything after.
  const auto text = [&input] {
    std::string text = input.ConsumeRandomLengthString(40);
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
  };
  const auto blanks = [&input](int least, int most) {
    std::string blanks;
    for (int n = input.ConsumeIntegralInRange(least, most); n > 0; --n) blanks += input.ConsumeBool() ? ' ' : '\t';
    return blanks;
  };
  std::string file = input.ConsumeBool() ? "\xEF\xBB\xBF" : "";
  std::size_t number = 1;
  for (; input.ConsumeBool() && number < 4; ++number) file += text() + (input.ConsumeBool() ? "\r\n" : "\n");
  file += blanks(0, 2);
  for (char c : std::string("forceinfo")) file += input.ConsumeBool() ? static_cast<char>(c - 'a' + 'A') : c;
  file += blanks(1, 8) + ForceInfoValueText(value);
  if (input.ConsumeBool()) file += blanks(1, 1) + text();
  if (input.ConsumeBool()) file += (input.ConsumeBool() ? "\r\n" : "\n") + input.ConsumeRemainingBytesAsString();

  const auto read = ReadBotFile(file);
  const auto* problem = std::get_if<BotFileProblem>(&read);
  // The input's lines may hold a second key, or NUL bytes enough for UTF-16.
  Require(!problem || problem->kind == BotFileProblemKind::SeveralForceInfoLines ||
              problem->kind == BotFileProblemKind::Utf16,
          "a built file reads");
  if (problem) return 0;
  Require(std::get<BotFileForce>(read).value == value && std::get<BotFileForce>(read).line.number == number,
          "the built value reads back on its line");
  Check(file, newValue);
  return 0;
}
