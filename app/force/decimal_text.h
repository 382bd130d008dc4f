#pragma once
// Whole numbers as text: the shortest decimal form, without leading zeros or
// blank, with a minus sign when negative. Written by hand rather than with
// std::to_wstring, which formats through the C library's wide printf and
// would bring all of it into the program.

#include <string>

namespace zenthra {

void AppendDecimal(std::wstring& text, long long value);

inline std::wstring DecimalText(long long value) {
  std::wstring text;
  AppendDecimal(text, value);
  return text;
}

}  // namespace zenthra
