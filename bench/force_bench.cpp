// Costs of the force rules on their own, against an in-memory window: one
// edit pass, one side switch, and composing the force info line.

#include <benchmark/benchmark.h>

#include "fake_force_window.h"
#include "force/force_info_line.h"

namespace {

using namespace zenthra;
using testing::FakeForceWindow;

void BM_ApplyLevelEdit_Accepted(benchmark::State& state) {
  FakeForceWindow window;
  window.Texts(ForcePower::Jump) = L"2";
  for (auto _ : state) ApplyLevelEdit(window, ForcePower::Jump, EditKind::Change);
}
BENCHMARK(BM_ApplyLevelEdit_Accepted);

void BM_ApplyLevelEdit_RejectedWithNestedPass(benchmark::State& state) {
  FakeForceWindow window;
  for (auto _ : state) {
    window.Texts(ForcePower::Heal) = L"4";
    ApplyLevelEdit(window, ForcePower::Heal, EditKind::Change);
    window.messages.clear();
  }
}
BENCHMARK(BM_ApplyLevelEdit_RejectedWithNestedPass);

void BM_SideSwitch(benchmark::State& state) {
  FakeForceWindow window;
  bool dark = false;
  for (auto _ : state) {
    dark = !dark;
    if (dark)
      window.ChooseDark();
    else
      window.ChooseLight();
  }
}
BENCHMARK(BM_SideSwitch);

void BM_ComposeForceInfoLine(benchmark::State& state) {
  ForceSettings settings;
  settings.side = 1;
  for (const PowerRow& row : PowerTable) settings.setLevel(row.power, static_cast<std::int16_t>(row.linePosition % 4));
  for (auto _ : state) benchmark::DoNotOptimize(ComposeForceInfoLine(settings));
}
BENCHMARK(BM_ComposeForceInfoLine);

}  // namespace

BENCHMARK_MAIN();
