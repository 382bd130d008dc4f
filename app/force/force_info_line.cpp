#include "force_info_line.h"

#include "power_table.h"

namespace zenthra {

std::wstring ComposeForceInfoLine(const ForceSettings& settings) {
  std::wstring line;
  line.reserve(kForceInfoPrefix.size() + 2 + kPowerCount);
  line += kForceInfoPrefix;
  line += std::to_wstring(settings.side);
  line += L'-';
  for (ForcePower power : powersInLineOrder()) line += std::to_wstring(settings.level(power));
  return line;
}

void cmdgo_Click(ForceWindow& window) {
  ForceSettings& settings = window.settings();
  settings.side = static_cast<std::int16_t>(window.optlightSelected() ? Side::Light : Side::Dark);
  window.setForceInfoText(ComposeForceInfoLine(settings));
}

}  // namespace zenthra
