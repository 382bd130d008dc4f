#pragma once
// Whole numbers as text: the shortest decimal form, without leading zeros or
// blank, with a minus sign when negative. Written by hand rather than with
// std::to_wstring or a wide printf, which format through the C library and
// would bring all of it into the program and the control library.
// Portable: no window code.

#include <cstddef>
#include <string>

namespace common {

// Room for the longest: a minus sign, the 19 digits of a 64-bit number, and
// the terminator.
inline constexpr std::size_t kDecimalCapacity = 21;

// Writes the text of `value` into `out`, null-terminated; returns its length.
template <typename Char>
constexpr std::size_t FormatDecimal(long long value, Char (&out)[kDecimalCapacity]) noexcept {
  // Negated as unsigned, so that the most negative value has a magnitude too.
  unsigned long long magnitude =
      value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  Char digits[kDecimalCapacity - 1]{};
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<Char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::size_t length = 0;
  if (value < 0) out[length++] = static_cast<Char>('-');
  while (count != 0) out[length++] = digits[--count];
  out[length] = Char{};
  return length;
}

template <typename Char>
void AppendDecimal(std::basic_string<Char>& text, long long value) {
  Char digits[kDecimalCapacity];
  text.append(digits, FormatDecimal(value, digits));
}

inline std::wstring DecimalText(long long value) {
  std::wstring text;
  AppendDecimal(text, value);
  return text;
}

}  // namespace common
