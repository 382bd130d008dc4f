#pragma once
// What this process holds on its heaps: the bytes and blocks in use on every
// heap that GetProcessHeaps lists, as HeapWalk sees them. Uses nothing but
// the Windows API, so that a reproduction without any of Zenthra's code can
// measure with it too.

#include <windows.h>

#include <array>

namespace zenthra::bench {

struct HeapUsage {
  SIZE_T bytes = 0;
  SIZE_T blocks = 0;
};

// Allocates nothing itself: the heaps are listed into a fixed array (a
// process with more than 64 heaps is counted in its first 64).
inline HeapUsage MeasureHeapUsage() {
  HeapUsage usage;
  std::array<HANDLE, 64> heaps{};
  const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
  for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry)) {
      if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) == 0) continue;
      usage.bytes += entry.cbData;
      ++usage.blocks;
    }
    HeapUnlock(heaps[i]);
  }
  return usage;
}

// Growth per cycle of `cycle` over `rounds` rounds, after `warmups` rounds
// that fill the caches the first uses make (classes, fonts, libraries).
struct HeapGrowth {
  double bytesPerCycle = 0;
  double blocksPerCycle = 0;
};

template <typename Cycle>
HeapGrowth MeasureHeapGrowth(Cycle&& cycle, int rounds, int warmups) {
  for (int i = 0; i < warmups; ++i) cycle();
  const HeapUsage before = MeasureHeapUsage();
  for (int i = 0; i < rounds; ++i) cycle();
  const HeapUsage after = MeasureHeapUsage();
  return {(static_cast<double>(after.bytes) - static_cast<double>(before.bytes)) / rounds,
          (static_cast<double>(after.blocks) - static_cast<double>(before.blocks)) / rounds};
}

}  // namespace zenthra::bench
