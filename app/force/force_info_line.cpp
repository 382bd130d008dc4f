#include "force_info_line.h"

#include "power_table.h"

namespace zenthra {

namespace {

// Shortest decimal form: no leading zeros, a minus sign when negative.
void appendDecimal(std::wstring& line, std::int16_t value) {
  if (value < 0) line += L'-';
  unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  wchar_t digits[5];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count != 0) line += digits[--count];
}

}  // namespace

std::wstring ComposeForceInfoLine(const ForceSettings& settings) {
  std::wstring line;
  line.reserve(kForceInfoPrefix.size() + 2 + kPowerCount);
  line += kForceInfoPrefix;
  appendDecimal(line, settings.side);
  line += L'-';
  for (ForcePower power : powersInLineOrder()) appendDecimal(line, settings.level(power));
  return line;
}

void cmdgo_Click(ForceWindow& window) {
  ForceSettings& settings = window.settings();
  settings.side = static_cast<std::int16_t>(window.optlightSelected() ? Side::Light : Side::Dark);
  window.setForceInfoText(ComposeForceInfoLine(settings));
}

}  // namespace zenthra
