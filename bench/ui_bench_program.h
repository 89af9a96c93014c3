#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "app_services.h"
#include "link/entry_file.h"
#include "link/message_bus.h"
#include "link/tx_buffer.h"
#include "posix_file_system.h"
#include "session/clock.h"
#include "session/notifier.h"
#include "session/session.h"
#include "workspace/workspace.h"

namespace mirva {

/// What the windows run on in the benchmarks: the real file system, a notifier that shows
/// nothing, a clock stopped at 12:30, and no link to other programs.
struct BenchServices {
  PosixFileSystem fs;
  SilentNotifier notifier;
  FixedClock clock{{46000, "12:30"}};
  NullMessageBus bus;
  NullEntryFile entry_file;
  NullTxBuffer tx;

  AppServices For(Workspace& workspace) {
    return AppServices{workspace, workspace.session(), clock, notifier, bus, entry_file, tx};
  }
};

/// The 99th percentile of the repetitions.
inline double Percentile99(const std::vector<double>& times) {
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  return sorted.empty() ? 0 : sorted[(sorted.size() - 1) * 99 / 100];
}

/// One timed event per repetition, so that the median reported is the median event; the
/// 99th percentile is reported beside it.
inline void OneEventEach(benchmark::internal::Benchmark* bench) {
  bench->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->ReportAggregatesOnly(true);
  bench->ComputeStatistics("p99", Percentile99);
}

}  // namespace mirva
