#pragma once
// Summary of one series of timings (milliseconds).

#include <algorithm>
#include <vector>

namespace zenthra::bench {

struct Summary {
  double median = 0;
  double min = 0;
  double max = 0;
  std::size_t count = 0;
};

// The median is the statistic reported: single slow runs (a page-in, the
// X server busy) move it little. Empty input gives a zero count.
inline Summary Summarise(std::vector<double> samples) {
  Summary summary;
  summary.count = samples.size();
  if (samples.empty()) return summary;
  std::ranges::sort(samples);
  const std::size_t middle = samples.size() / 2;
  summary.median = samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
  summary.min = samples.front();
  summary.max = samples.back();
  return summary;
}

}  // namespace zenthra::bench
