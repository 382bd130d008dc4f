// Fuzzes number reading: any text must read without fault, a value that reads
// must agree with the C library's own conversion of the same digits, and a
// level must be that value rounded half to even.

#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "force/number_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenthra;
  if (size == 0) return 0;
  const std::wstring separator = (data[0] & 1) ? L"," : L".";
  std::wstring text;
  for (std::size_t i = 1; i < size; ++i) text += static_cast<wchar_t>(data[i]);

  const auto value = ReadRealValue(text, separator);
  const LevelReading reading = ReadLevel(text, separator);
  if (!value) {
    if (reading.error != LevelReadError::NotANumber) __builtin_trap();
    return 0;
  }

  // The same number written with the C locale's point.
  std::string ascii;
  for (wchar_t c : text) ascii += (c == separator[0]) ? '.' : static_cast<char>(c);
  const double expected = std::strtod(ascii.c_str(), nullptr);
  if (!(std::isinf(expected) && std::isinf(*value)) && expected != *value) __builtin_trap();

  if (!reading.error) {
    const double rounded = std::nearbyint(*value);  // default mode: half to even
    if (rounded != reading.level) __builtin_trap();
  } else if (reading.error == LevelReadError::NotANumber) {
    __builtin_trap();
  } else if (std::fabs(std::nearbyint(*value)) <= 32767) {
    __builtin_trap();
  }
  return 0;
}
