#pragma once
// A stand-in for the main window: keeps box texts, enabled states and the
// option buttons in memory, runs the nested Change pass of a set text like the
// real window does, and records every message in order.

#include <array>
#include <string>
#include <vector>

#include "force/force_window.h"
#include "force/level_rules.h"
#include "force/power_table.h"
#include "force/side_selection.h"

namespace zenthra::testing {

class FakeForceWindow final : public ForceWindow {
 public:
  FakeForceWindow() {
    texts_.fill(std::wstring(kClearText));
    for (const PowerRow& row : PowerTable) enabled_[IndexOf(row.power)] = row.group != PowerGroup::Dark;
  }

  // ForceWindow
  std::wstring LevelText(ForcePower power) override { return texts_[IndexOf(power)]; }
  void SetLevelText(ForcePower power, std::wstring_view text) override {
    if (Enabled(power)) setWhileEnabled.push_back(power);
    if (texts_[IndexOf(power)] == text) return;
    texts_[IndexOf(power)] = text;
    if (++depth_ > maxDepth) maxDepth = depth_;
    levelBox_Change(*this, power);
    --depth_;
  }
  bool OptlightSelected() override { return optlight; }
  bool OptdarkSelected() override { return optdark; }
  void ShowMessage(std::wstring_view text) override { messages.emplace_back(text); }
  void SetLevelEnabled(ForcePower power, bool enabled) override { enabled_[IndexOf(power)] = enabled; }
  void SetForceInfoText(std::wstring_view text) override { forceInfo = text; }
  ForceSettings& Settings() override { return record; }
  std::wstring DecimalSeparator() override { return separator; }

  // What a user does.
  void Type(ForcePower power, std::wstring_view text) {
    texts_[IndexOf(power)] = text;  // the user's keystroke has already changed the text
    levelBox_Change(*this, power);
  }
  void Pick(ForcePower power, std::wstring_view item) {
    texts_[IndexOf(power)] = item;  // the box shows the picked item before Click
    levelBox_Click(*this, power);
  }
  void ChooseLight() {
    optlight = true;
    optdark = false;
    optlight_Click(*this);
  }
  void ChooseDark() {
    optlight = false;
    optdark = true;
    optdark_Click(*this);
  }

  bool Enabled(ForcePower power) const { return enabled_[IndexOf(power)]; }
  const std::wstring& text(ForcePower power) const { return texts_[IndexOf(power)]; }

  bool optlight = true;
  bool optdark = false;
  std::wstring separator = L".";
  std::wstring forceInfo = L"Force Info Will Display Here When You Hit The Go Button";
  std::vector<std::wstring> messages;
  std::vector<ForcePower> setWhileEnabled;  // the boxes whose text was set while enabled, in order
  ForceSettings record;
  int maxDepth = 0;

 private:
  std::array<std::wstring, kPowerCount> texts_;
  std::array<bool, kPowerCount> enabled_{};
  int depth_ = 0;
};

}  // namespace zenthra::testing
