#include "force_info_line.h"

#include "text/decimal_text.h"
#include "power_table.h"

namespace zenthra {

namespace {

void AppendValue(std::wstring& text, const ForceSettings& settings) {
  text += kForceInfoPrefix.substr(kForceInfoKeyAndGap.size());
  common::AppendDecimal(text, settings.side);
  text += L'-';
  for (ForcePower power : PowersInLineOrder()) common::AppendDecimal(text, settings.level(power));
}

}  // namespace

std::wstring ComposeForceInfoValue(const ForceSettings& settings) {
  std::wstring value;
  value.reserve(kForceInfoPrefix.size() - kForceInfoKeyAndGap.size() + 2 + kPowerCount);
  AppendValue(value, settings);
  return value;
}

std::wstring ComposeForceInfoLine(const ForceSettings& settings) {
  std::wstring line;
  line.reserve(kForceInfoPrefix.size() + 2 + kPowerCount);
  line += kForceInfoKeyAndGap;
  AppendValue(line, settings);
  return line;
}

void cmdgo_Click(ForceWindow& window) {
  ForceSettings& settings = window.Settings();
  settings.side = static_cast<std::int16_t>(window.OptlightSelected() ? Side::Light : Side::Dark);
  window.SetForceInfoText(ComposeForceInfoLine(settings));
}

}  // namespace zenthra
