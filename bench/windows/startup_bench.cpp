// Start-up and About timings of Zenthra.exe against its floors, run under
// the same wineserver, interleaved round by round.
//
// Start: from CreateProcess until the program's main window (the shown
// top-level window with the menu bar) exists and its message loop answers
// WM_NULL. About: from posting Help > About to that window until another
// shown top-level window of the process exists (for Zenthra, with its three
// link label control windows; for the About floor, with its three SysLink
// windows) and its loop answers.
//
// Usage: startup_bench.exe [--rounds N] [--warmups N]
// The programs are looked for beside this one. Prints one "data" line per
// series (read by bench/run.sh) and the ratios.

#include <windows.h>

#include <timeapi.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "child_program.h"
#include "sample_stats.h"
#include "ui/resource_ids.h"
#include "window_probe.h"

namespace {

using namespace zenthra::bench;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The window classes of the About dialogs' three links: the link label
// control's own window (tessarel.ocx), and the stock link control.
constexpr std::wstring_view kLinkLabelClass = L"TessarelLinkLabel";
constexpr std::wstring_view kSysLinkClass = L"SysLink";
constexpr int kAboutLinks = 3;

constexpr auto kStartTimeout = 15s;
constexpr auto kAboutTimeout = 10s;
constexpr auto kAnswerTimeout = 5s;
constexpr auto kCloseTimeout = 5s;
// Between the start and About: the first paint and the program's idle work
// end, so that About is timed in a program at rest.
constexpr auto kSettle = 100ms;
// Before each start: the last program's exit (its windows, the X server's
// work for them) is over, so that no run pays for the one before.
constexpr auto kRest = 200ms;

// The windows of a class that the About window must hold before it counts
// as open; none for the empty stand-ins.
struct AboutLinks {
  std::wstring_view windowClass;
  int count = 0;
};

struct Program {
  Program(const wchar_t* name, AboutLinks links) : file(name), aboutLinks(links) {}
  const wchar_t* file;
  AboutLinks aboutLinks;
  std::vector<double> startMs;
  std::vector<double> aboutMs;
  int failedStarts = 0;
  int failedAbouts = 0;
  int forcedExits = 0;
};

double MillisecondsSince(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

struct RunResult {
  std::optional<double> startMs;
  std::optional<double> aboutMs;
  bool closed = true;
};

std::optional<double> TimeAbout(const ChildProgram& child, HWND mainWindow, AboutLinks links) {
  const Clock::time_point begin = Clock::now();
  if (!PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0)) return std::nullopt;
  WindowWanted about;
  about.processId = child.ProcessId();
  about.other = mainWindow;
  about.childClass = links.windowClass;
  about.childCount = links.count;
  HWND window = WaitForShownWindow(about, child.Process(), begin + kAboutTimeout);
  if (window == nullptr || !MessageLoopAnswers(window, kAnswerTimeout)) return std::nullopt;
  return MillisecondsSince(begin);
}

RunResult RunOnce(const std::wstring& path, AboutLinks links) {
  RunResult result;
  Sleep(static_cast<DWORD>(std::chrono::milliseconds(kRest).count()));
  const Clock::time_point begin = Clock::now();
  std::optional<ChildProgram> child = ChildProgram::Start(path);
  if (!child) return result;
  WindowWanted wanted;
  wanted.processId = child->ProcessId();
  wanted.withMenuBar = true;
  HWND mainWindow = WaitForShownWindow(wanted, child->Process(), begin + kStartTimeout);
  if (mainWindow != nullptr && MessageLoopAnswers(mainWindow, kAnswerTimeout)) {
    result.startMs = MillisecondsSince(begin);
    // WAIT_FAILED only for a process without input: the settle time still passes.
    WaitForInputIdle(child->Process(), static_cast<DWORD>(std::chrono::milliseconds(kSettle).count()));
    Sleep(static_cast<DWORD>(std::chrono::milliseconds(kSettle).count()));
    if (MessageLoopAnswers(mainWindow, kAnswerTimeout)) result.aboutMs = TimeAbout(*child, mainWindow, links);
  }
  result.closed = child->Close(kCloseTimeout);
  return result;
}

std::wstring FolderOfThisProgram() {
  std::array<wchar_t, MAX_PATH> path{};
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length == path.size()) return L".";
  std::wstring full(path.data(), length);
  return full.substr(0, full.find_last_of(L"\\/"));
}

// Sleep(1) and the 1 ms polls need the finest system timer on Windows;
// undone when the run ends.
struct FineTimer {
  FineTimer() : active(timeBeginPeriod(1) == TIMERR_NOERROR) {}
  ~FineTimer() {
    if (active) timeEndPeriod(1);
  }
  FineTimer(const FineTimer&) = delete;
  FineTimer& operator=(const FineTimer&) = delete;
  bool active;
};

void PrintSeries(const char* kind, const Program& program, const std::vector<double>& samples, int failures) {
  const Summary s = Summarise(samples);
  std::printf("data %s %ls median_ms=%.1f min_ms=%.1f max_ms=%.1f n=%zu failed=%d\n", kind, program.file, s.median,
              s.min, s.max, s.count, failures);
}

void PrintRatio(const char* kind, const Program& measured, const std::vector<double>& a, const Program& floor,
                const std::vector<double>& b) {
  const Summary top = Summarise(a);
  const Summary bottom = Summarise(b);
  if (top.count == 0 || bottom.count == 0 || bottom.median <= 0) {
    std::printf("ratio %s %ls/%ls not-measured\n", kind, measured.file, floor.file);
    return;
  }
  std::printf("ratio %s %ls/%ls %.2f\n", kind, measured.file, floor.file, top.median / bottom.median);
}

bool ReadCount(int argc, wchar_t** argv, int& i, int& value) {
  if (i + 1 >= argc) return false;
  value = _wtoi(argv[++i]);
  return value > 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int rounds = 30;
  int warmups = 3;
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view argument = argv[i];
    const bool ok = (argument == L"--rounds" && ReadCount(argc, argv, i, rounds)) ||
                    (argument == L"--warmups" && ReadCount(argc, argv, i, warmups));
    if (!ok) {
      std::fwprintf(stderr, L"usage: startup_bench.exe [--rounds N] [--warmups N]\n");
      return 2;
    }
  }

  const FineTimer timer;
  const std::wstring folder = FolderOfThisProgram();
  std::array<Program, 4> programs{Program(L"Zenthra.exe", {kLinkLabelClass, kAboutLinks}),
                                  Program(L"floor_empty_window.exe", {}), Program(L"floor_same_controls.exe", {}),
                                  Program(L"floor_about_dialog.exe", {kSysLinkClass, kAboutLinks})};

  for (int round = 0; round < warmups + rounds; ++round) {
    const bool counted = round >= warmups;
    // Each round starts with another program, so that none always runs
    // right after the same one.
    for (std::size_t k = 0; k < programs.size(); ++k) {
      Program& program = programs[(static_cast<std::size_t>(round) + k) % programs.size()];
      const RunResult run = RunOnce(folder + L"\\" + program.file, program.aboutLinks);
      std::fprintf(stderr, "round %d %ls start_ms=%.1f about_ms=%.1f%s\n", round + 1, program.file,
                   run.startMs.value_or(-1), run.aboutMs.value_or(-1), counted ? "" : " (warm-up)");
      if (!run.closed) ++program.forcedExits;
      if (!counted) continue;
      if (run.startMs)
        program.startMs.push_back(*run.startMs);
      else
        ++program.failedStarts;
      if (run.aboutMs)
        program.aboutMs.push_back(*run.aboutMs);
      else
        ++program.failedAbouts;
    }
  }

  std::printf("rounds %d warmups %d poll_ms 1 settle_ms %lld rest_ms %lld\n", rounds, warmups,
              static_cast<long long>(std::chrono::milliseconds(kSettle).count()),
              static_cast<long long>(std::chrono::milliseconds(kRest).count()));
  for (const Program& program : programs) {
    PrintSeries("start", program, program.startMs, program.failedStarts);
    PrintSeries("about", program, program.aboutMs, program.failedAbouts);
    std::printf("data forced_exits %ls %d\n", program.file, program.forcedExits);
  }
  const Program& zenthra = programs[0];
  const Program& empty = programs[1];
  const Program& sameControls = programs[2];
  const Program& aboutFloor = programs[3];
  PrintRatio("start", zenthra, zenthra.startMs, sameControls, sameControls.startMs);
  PrintRatio("start", zenthra, zenthra.startMs, empty, empty.startMs);
  PrintRatio("start", sameControls, sameControls.startMs, empty, empty.startMs);
  PrintRatio("about", zenthra, zenthra.aboutMs, aboutFloor, aboutFloor.aboutMs);
  PrintRatio("about", zenthra, zenthra.aboutMs, empty, empty.aboutMs);
  PrintRatio("about", aboutFloor, aboutFloor.aboutMs, empty, empty.aboutMs);
  std::fflush(stdout);
  return 0;
}
