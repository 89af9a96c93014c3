// Opens a session on an arbitrary log file: sets up one of the contests, which counts the log
// into the totals, looks up its first QSO, builds every report of it and rescores it.
// Input: the first byte picks the contest and the station, the rest is the log file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "contest/rules/rules.h"
#include "error.h"
#include "log/log_store.h"
#include "memory_file_system.h"
#include "reference/station.h"
#include "reference_files.h"
#include "reports/adif.h"
#include "reports/cabrillo.h"
#include "reports/summary.h"
#include "session/session.h"

namespace {

void BuildReports(const mirva::Session& session) {
  mirva::AdifText(session.log().QSOLog());
  if (!session.HasContest())
    return;
  mirva::CabrilloHeader cabrillo;
  cabrillo.Call = session.StationCfg().Call;
  mirva::ReportFileBytes(mirva::BuildCabrilloLog(session, cabrillo));
  mirva::ReportHeader header;
  header.Operators.resize(2);
  mirva::ReportFileBytes(mirva::BuildAllReport(session, header));
  mirva::ReportFileBytes(mirva::BuildSummarySheet(session, header, 46000));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  mirva_fuzz::MemoryFileSystem fs;
  fs.files = mirva_fuzz::ReferenceFiles();
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
  BuildReports(session);
  // The rescoring keeps every QSO, or on an error the log as it was.
  std::size_t count = session.log().QSOLog().size();
  session.RescoreLog();
  if (session.log().QSOLog().size() != count)
    __builtin_trap();
  BuildReports(session);
  return 0;
}
