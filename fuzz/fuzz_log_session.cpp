// Opens a session on an arbitrary log file: sets up one of the contests, which counts the log
// into the totals, looks up its first QSO, builds every report of it and rescores it.
// Input: the first byte picks the contest and the station, the rest is the log file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "build_reports.h"
#include "contest/rules/rules.h"
#include "error.h"
#include "log/log_store.h"
#include "memory_file_system.h"
#include "reference/station.h"
#include "session/session.h"
#include "session_files.h"

namespace {}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  mirva::MemoryFileSystem fs;
  fs.files = mirva_fuzz::SessionFiles();
  fs.files[std::string("d/") + mirva::kLogFileName].assign(reinterpret_cast<const char*>(data + 1),
                                                           size - 1);
  mirva::SilentNotifier notifier;
  mirva::Session session(fs, notifier, "d");
  session.Start();

  auto contests = mirva::AllContestRules();
  std::size_t pick = data[0];
  mirva::TStationCFG station;
  const char* calls[] = {"DL1ABC", "UA3ABC", "EA3XX", "JA1ABC", "I2ABC", "UA9XX"};
  station.Call = calls[(pick / contests.size()) % std::size(calls)];
  mirva::FillStationFromCall(session.countries(), station.Call, station);
  session.SetStation(station);
  session.SelectContest(contests[pick % contests.size()]->name);

  if (!session.log().QSOLog().empty()) {
    mirva::TQSOData first = session.log().QSOLog().front();
    session.ShowPreviousQSOs(first.Call);
    session.IsDupe(first.Call, first.Band, first.Mode, first.QSOTime);
    session.PredictReceivedExchange(first.Call, session.PrevQSOs());
    try {
      session.NormalizeReceivedExchange(first);
      session.ComputeQsoPoints(first);
    } catch (const mirva::ConversionError&) {
      // A zone that is not a number cannot be scored.
    }
  }
  mirva_fuzz::BuildReports(session);
  // The rescoring keeps every QSO, or on an error the log as it was.
  std::size_t count = session.log().QSOLog().size();
  session.RescoreLog();
  if (session.log().QSOLog().size() != count)
    __builtin_trap();
  mirva_fuzz::BuildReports(session);
  return 0;
}
