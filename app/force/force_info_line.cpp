#include "force_info_line.h"

#include "decimal_text.h"
#include "power_table.h"

namespace zenthra {

std::wstring ComposeForceInfoLine(const ForceSettings& settings) {
  std::wstring line;
  line.reserve(kForceInfoPrefix.size() + 2 + kPowerCount);
  line += kForceInfoPrefix;
  AppendDecimal(line, settings.side);
  line += L'-';
  for (ForcePower power : PowersInLineOrder()) AppendDecimal(line, settings.level(power));
  return line;
}

void cmdgo_Click(ForceWindow& window) {
  ForceSettings& settings = window.Settings();
  settings.side = static_cast<std::int16_t>(window.OptlightSelected() ? Side::Light : Side::Dark);
  window.SetForceInfoText(ComposeForceInfoLine(settings));
}

}  // namespace zenthra
