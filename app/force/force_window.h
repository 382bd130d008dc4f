#pragma once
// The operations through which the force rules reach the main window: the
// seven numbered ones below (the third is two functions), and the decimal
// separator that reading a box's text as a number needs.
// The rules see nothing else of the window, so any implementation that keeps
// the contracts below serves: the real Win32 window, or a substitute in tests.

#include <string>
#include <string_view>

#include "force_power.h"
#include "force_settings.h"

namespace zenthra {

class ForceWindow {
 public:
  // 1. The text of the power's level box.
  virtual std::wstring LevelText(ForcePower power) = 0;

  // 2. Sets the text of the power's level box. When the new text differs from
  //    the one shown, the box's Change handling runs to its end, nested, before
  //    this returns, also for a disabled box. An unchanged text raises nothing.
  virtual void SetLevelText(ForcePower power, std::wstring_view text) = 0;

  // 3. Whether the option buttons are selected.
  virtual bool OptlightSelected() = 0;
  virtual bool OptdarkSelected() = 0;

  // 4. Shows an application-modal message with OK only, no icon, captioned
  //    with the application title; returns when the user has closed it.
  virtual void ShowMessage(std::wstring_view text) = 0;

  // 5. Enables or disables the power's level box.
  virtual void SetLevelEnabled(ForcePower power, bool enabled) = 0;

  // 6. Replaces the whole text of txtforce.
  virtual void SetForceInfoText(std::wstring_view text) = 0;

  // 7. The window's one record.
  virtual ForceSettings& Settings() = 0;

  // The decimal separator of the user's regional settings, used when box
  // texts are read as numbers.
  virtual std::wstring DecimalSeparator() = 0;

 protected:
  ~ForceWindow() = default;
};

}  // namespace zenthra
