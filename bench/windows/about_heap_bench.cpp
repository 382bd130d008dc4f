// Heap growth of Help > About and OK in Zenthra's own windows: the real main
// window, and the About dialog loaded, shown and unloaded again and again
// on this thread, as the menu and the OK button do it. Wine's Common
// Controls 6 static control leaves 24 bytes on the heap for every text
// static that had a font (static_font_heap.exe shows it without Zenthra), so
// the dialog's labels account for 24 bytes each per cycle; anything above
// that is the dialog's own.
//
// Prints: data about_heap zenthra bytes_per_cycle=<b> blocks_per_cycle=<n> labels=<count>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "about/about_dialog.h"
#include "about/about_layout.h"
#include "heap_usage.h"
#include "shell/program_windows.h"
#include "ui/main_window.h"
#include "win32/ole_initialization.h"

namespace {

constexpr int kRounds = 200;
constexpr int kWarmups = 30;

// Handles what the windows posted to themselves (painting, activation).
void Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int wmain() {
  using namespace zenthra;
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES};
  if (!InitCommonControlsEx(&classes)) return 1;
  const win32::OleInitialization ole;  // for the whole run, as the program does
  shell::ProgramWindows windows;
  ui::MainWindow main(GetModuleHandleW(nullptr), windows);
  if (FAILED(main.Create(SW_SHOWNORMAL))) return 1;
  Pump();

  bool allOpened = true;
  const auto growth = bench::MeasureHeapGrowth(
      [&] {
        HWND dialog = about::ShowAbout(GetModuleHandleW(nullptr), windows);
        allOpened = allOpened && dialog != nullptr;
        Pump();
        if (dialog) DestroyWindow(dialog);
        Pump();
      },
      kRounds, kWarmups);
  const auto labels = std::ranges::count_if(about::kAboutLayout.children, [](const about::ChildLayout& child) {
    return child.kind == about::ChildKind::Label;
  });
  std::printf("data about_heap zenthra bytes_per_cycle=%.1f blocks_per_cycle=%.2f labels=%d\n", growth.bytesPerCycle,
              growth.blocksPerCycle, static_cast<int>(labels));
  return allOpened ? 0 : 1;
}
