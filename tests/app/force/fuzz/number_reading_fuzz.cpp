// Fuzzes number reading against a reference reader written apart from it:
// any text must read without fault; a text is a number exactly when the
// reference says so, its value then agrees with the C library's conversion
// of the same digits, and a level is that value rounded half to even.
//
// Input: the first byte picks the decimal separator, from the separators of
// real locales (".", ",", Arabic U+066B) and, as a user may set any, group
// separators (U+00A0, U+202F, "'", U+066C); each further byte is a UTF-16
// code unit, except 0xFF, after which the next two bytes (low first) are one.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "force/number_reading.h"

namespace {

// The number as "[-]digits[.digits][e[+-]digits]" for strtod in the C
// locale, or none: blanks (space, tab) around it, a sign, digits with at
// most one separator and at least one digit, an exponent with digits.
std::optional<std::string> Reference(std::wstring_view text, std::wstring_view separator) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  const auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
  std::size_t at = 0, end = text.size();
  while (at < end && blank(text[at])) ++at;
  while (end > at && blank(text[end - 1])) --end;
  std::string out;
  if (at < end && (text[at] == L'+' || text[at] == L'-')) out += static_cast<char>(text[at++]);
  int digits = 0;
  for (; at < end && digit(text[at]); ++at, ++digits) out += static_cast<char>(text[at]);
  if (text.substr(at, end - at).starts_with(separator)) {
    out += '.';
    for (at += separator.size(); at < end && digit(text[at]); ++at, ++digits) out += static_cast<char>(text[at]);
  }
  if (digits == 0) return std::nullopt;
  if (at < end && (text[at] == L'e' || text[at] == L'E')) {
    out += 'e';
    if (++at < end && (text[at] == L'+' || text[at] == L'-')) out += static_cast<char>(text[at++]);
    if (at == end || !digit(text[at])) return std::nullopt;
    for (; at < end && digit(text[at]); ++at) out += static_cast<char>(text[at]);
  }
  if (at != end) return std::nullopt;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenthra;
  static const std::wstring kSeparators[] = {L".", L",", L"\u066B", L"\u00A0", L"\u202F", L"'", L"\u066C"};
  if (size == 0) return 0;
  const std::wstring& separator = kSeparators[data[0] % std::size(kSeparators)];
  std::wstring text;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] != 0xFF) {
      text += static_cast<wchar_t>(data[i]);
    } else if (i + 2 < size) {
      text += static_cast<wchar_t>(data[i + 1] | data[i + 2] << 8);
      i += 2;
    }
  }

  const auto value = ReadRealValue(text, separator);
  const LevelReading reading = ReadLevel(text, separator);
  const auto reference = Reference(text, separator);
  if (value.has_value() != reference.has_value()) __builtin_trap();
  if (!value) {
    if (reading.error != LevelReadError::NotANumber) __builtin_trap();
    return 0;
  }

  // Exponents beyond strtod's range saturate alike, to infinity or zero.
  const double expected = std::strtod(reference->c_str(), nullptr);
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
