#include "number_reading.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace zenthra {

namespace {

constexpr bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
constexpr bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring_view trimBlanks(std::wstring_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Moves the leading run of ASCII digits of `text` into `out`.
std::size_t takeDigits(std::wstring_view& text, std::string& out) {
  std::size_t taken = 0;
  while (!text.empty() && isDigit(text.front())) {
    out += static_cast<char>(text.front());
    text.remove_prefix(1);
    ++taken;
  }
  return taken;
}

// The pieces of a number, rewritten in the C locale's form so that the
// conversion does not depend on any locale.
struct NumberText {
  std::string ascii;       // sign, digits, '.', digits, 'e', sign, digits
  bool negative = false;
  long long decimalExponent = 0;  // rough power of ten of the value, for range errors
  bool allZero = true;
};

std::optional<NumberText> scanNumber(std::wstring_view text, std::wstring_view separator) {
  NumberText number;
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
    number.negative = text.front() == L'-';
    if (number.negative) number.ascii += '-';
    text.remove_prefix(1);
  }

  std::string digits;
  const std::size_t integerDigits = takeDigits(text, digits);
  std::size_t fractionDigits = 0;
  if (!separator.empty() && text.starts_with(separator)) {
    text.remove_prefix(separator.size());
    digits += '.';
    fractionDigits = takeDigits(text, digits);
  }
  if (integerDigits + fractionDigits == 0) return std::nullopt;
  number.ascii += digits;

  long long exponent = 0;
  if (!text.empty() && (text.front() == L'e' || text.front() == L'E')) {
    text.remove_prefix(1);
    number.ascii += 'e';
    bool negativeExponent = false;
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
      negativeExponent = text.front() == L'-';
      number.ascii += static_cast<char>(text.front());
      text.remove_prefix(1);
    }
    std::string exponentDigits;
    if (takeDigits(text, exponentDigits) == 0) return std::nullopt;
    number.ascii += exponentDigits;
    for (char c : exponentDigits) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    if (negativeExponent) exponent = -exponent;
  }
  if (!text.empty()) return std::nullopt;

  // Position of the first significant digit relative to the decimal point.
  const std::size_t firstNonZero = digits.find_first_not_of("0.");
  if (firstNonZero != std::string::npos) {
    number.allZero = false;
    const auto point = static_cast<long long>(integerDigits);
    const auto first = static_cast<long long>(firstNonZero);
    number.decimalExponent = (first < point ? point - first - 1 : point - first) + exponent;
  }
  return number;
}

}  // namespace

std::optional<double> readRealValue(std::wstring_view text, std::wstring_view decimalSeparator) {
  const auto number = scanNumber(trimBlanks(text), decimalSeparator);
  if (!number) return std::nullopt;

  double value = 0.0;
  const char* first = number->ascii.data();
  const char* last = first + number->ascii.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error == std::errc::result_out_of_range) {
    // Too many digits either way: an overflow reads as infinity, an
    // underflow as zero, keeping the sign.
    const double magnitude = number->decimalExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return number->negative ? -magnitude : magnitude;
  }
  if (error != std::errc{} || end != last) return std::nullopt;
  return value;
}

LevelReading readLevel(std::wstring_view text, std::wstring_view decimalSeparator) {
  const auto value = readRealValue(text, decimalSeparator);
  if (!value) return {0, LevelReadError::NotANumber};

  // Round to nearest, an exact half to the even neighbour.
  double rounded = std::floor(*value);
  const double fraction = *value - rounded;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;

  if (!(rounded <= std::numeric_limits<std::int16_t>::max())) {
    return {0, rounded < 0 ? LevelReadError::TooSmall : LevelReadError::TooLarge};
  }
  if (rounded < std::numeric_limits<std::int16_t>::min()) return {0, LevelReadError::TooSmall};
  return {static_cast<std::int16_t>(rounded), std::nullopt};
}

}  // namespace zenthra
