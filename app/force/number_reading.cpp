#include "number_reading.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <string>

#include "text/decimal_text.h"

namespace zenthra {

namespace {

constexpr bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
constexpr bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring_view TrimBlanks(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Moves the leading run of ASCII digits of `text` into `out`.
std::size_t TakeDigits(std::wstring_view& text, std::string& out) {
  std::size_t taken = 0;
  while (!text.empty() && IsDigit(text.front())) {
    out += static_cast<char>(text.front());
    text.remove_prefix(1);
    ++taken;
  }
  return taken;
}

// The number rewritten for strtod as a sign, a run of digits and a decimal
// exponent, e.g. "-2,5e3" as "-25e2": with the fraction's digits moved into
// the exponent it holds no decimal point, the one thing in such a number
// that strtod reads according to the current C locale. None when the text
// is not a number.
std::optional<std::string> AsLocaleFreeNumber(std::wstring_view text, std::wstring_view separator) {
  std::string number;
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
    if (text.front() == L'-') number += '-';
    text.remove_prefix(1);
  }

  const std::size_t integerDigits = TakeDigits(text, number);
  std::size_t fractionDigits = 0;
  if (!separator.empty() && text.starts_with(separator)) {
    text.remove_prefix(separator.size());
    fractionDigits = TakeDigits(text, number);
  }
  if (integerDigits + fractionDigits == 0) return std::nullopt;

  // The written exponent is capped at a magnitude of 10^9: any text shorter
  // than hundreds of millions of digits saturates the same way beyond it,
  // and the exponent written below cannot overflow.
  long long exponent = 0;
  if (!text.empty() && (text.front() == L'e' || text.front() == L'E')) {
    text.remove_prefix(1);
    bool negativeExponent = false;
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
      negativeExponent = text.front() == L'-';
      text.remove_prefix(1);
    }
    if (text.empty() || !IsDigit(text.front())) return std::nullopt;
    for (; !text.empty() && IsDigit(text.front()); text.remove_prefix(1))
      exponent = std::min(exponent * 10 + (text.front() - L'0'), 1'000'000'000LL);
    if (negativeExponent) exponent = -exponent;
  }
  if (!text.empty()) return std::nullopt;

  number += 'e';
  common::AppendDecimal(number, exponent - static_cast<long long>(fractionDigits));
  return number;
}

}  // namespace

std::optional<double> ReadRealValue(std::wstring_view text, std::wstring_view decimalSeparator) {
  const auto number = AsLocaleFreeNumber(TrimBlanks(text), decimalSeparator);
  if (!number) return std::nullopt;
  // strtod rounds correctly; out of range it saturates, keeping the sign:
  // an overflow reads as infinity (HUGE_VAL), an underflow as zero.
  return std::strtod(number->c_str(), nullptr);
}

LevelReading ReadLevel(std::wstring_view text, std::wstring_view decimalSeparator) {
  const auto value = ReadRealValue(text, decimalSeparator);
  if (!value) return {.level = 0, .error = LevelReadError::NotANumber};

  // Round to nearest, an exact half to the even neighbour.
  double rounded = std::floor(*value);
  const double fraction = *value - rounded;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;

  if (!(rounded <= std::numeric_limits<std::int16_t>::max()))
    return {.level = 0, .error = rounded < 0 ? LevelReadError::TooSmall : LevelReadError::TooLarge};
  if (rounded < std::numeric_limits<std::int16_t>::min()) return {.level = 0, .error = LevelReadError::TooSmall};
  return {.level = static_cast<std::int16_t>(rounded), .error = std::nullopt};
}

}  // namespace zenthra
