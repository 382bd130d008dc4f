#pragma once
// Reading a level box's text as a number, the way the platform reads numbers:
// blanks around the number, a leading sign, a fractional part after the
// user's decimal separator and an exponent are accepted.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zenthra {

// The text's value as a double, not rounded; none when it is not a number.
std::optional<double> ReadRealValue(std::wstring_view text, std::wstring_view decimalSeparator);

enum class LevelReadError { NotANumber, TooLarge, TooSmall };

struct LevelReading {
  std::int16_t level = 0;  // valid only when error is empty
  std::optional<LevelReadError> error;
};

// The text's value rounded to the nearest whole number, an exact half to the
// even neighbour; it must fit a 16-bit signed integer.
LevelReading ReadLevel(std::wstring_view text, std::wstring_view decimalSeparator);

}  // namespace zenthra
