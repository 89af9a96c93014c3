#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_data.h"
#include "posix_file_system.h"
#include "session/qso_entry.h"
#include "session/rescore.h"
#include "session/session.h"

namespace mirva {

/// A CQ WW CW session on a log of `qsos` QSOs (100,000 unless said), rescored once so that it
/// carries points and marks.
struct Logged {
  PosixFileSystem fs;
  SilentNotifier notifier;
  FixedClock clock{{46000, "12:30"}};
  Session session;
  QsoEntry entry{session, clock};

  explicit Logged(const std::string& name, std::size_t qsos = 100000)
      : session(fs, notifier, ContestFolder(name, qsos)) {
    session.Start();
    TStationCFG station;
    station.Call = "DL1ABC";
    FillStationFromCall(session.countries(), "DL1ABC", station);
    session.SetStation(station);
    session.SelectContest("CQ WW DX Contest (CW)");
    session.RescoreLog();
    entry.Activate();
    entry.Band = "20";
  }
};

/// Whether the real country and call files are installed; marks the benchmark failed if not.
inline bool HaveData(benchmark::State& state) {
  if (std::filesystem::exists(kCountryFile) && std::filesystem::exists(kCallFile))
    return true;
  state.SkipWithError("hamradio-files not installed");
  return false;
}

}  // namespace mirva
