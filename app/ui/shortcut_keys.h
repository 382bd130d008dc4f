#pragma once
// The main window's shortcut keys (Ctrl+O, Ctrl+S): the program's message
// loop hands each key message to them before the dialog keyboard handling,
// and a shortcut becomes its menu command.

#include <windows.h>

#include "shell/program_windows.h"

namespace zenthra::ui {

class ShortcutKeys final : public shell::MessagePreTranslator {
 public:
  // Loads the program's table; `window` (borrowed) receives the commands.
  HRESULT Load(HINSTANCE instance, HWND window);

  bool PreTranslateMessage(MSG& message) override;

 private:
  HWND window_ = nullptr;
  HACCEL table_ = nullptr;  // a resource of the program, freed with it
};

}  // namespace zenthra::ui
