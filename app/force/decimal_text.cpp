#include "decimal_text.h"

namespace zenthra {

void AppendDecimal(std::wstring& text, long long value) {
  if (value < 0) text += L'-';
  // Negated as unsigned, so that the most negative value has a magnitude too.
  unsigned long long magnitude =
      value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  wchar_t digits[20];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count != 0) text += digits[--count];
}

}  // namespace zenthra
