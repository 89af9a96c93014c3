// Imports arbitrary bytes as a Cabrillo log the way the command line does: each line is read
// from UTF-8 and typed into the entry of a session with a contest set up, at the QSO's own
// time, and saved.
// Input: a first line whose first byte picks the contest and whose rest is the station's
// callsign, then the lines of the log.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "contest/rules/rules.h"
#include "error.h"
#include "fuzz_check.h"
#include "log/cabrillo_qso.h"
#include "memory_file_system.h"
#include "reference/station.h"
#include "reference_files.h"
#include "session/qso_entry.h"
#include "session/session.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace {

void SetUp(mirva::Session& session, std::string_view first_line) {
  session.Start();
  mirva::TStationCFG station;
  mirva::FillStationFromCall(session.countries(), first_line.substr(1), station);
  station.Call = first_line.substr(1);
  session.SetStation(station);
  auto contests = mirva::AllContestRules();
  std::size_t pick = static_cast<unsigned char>(first_line[0]);
  session.SelectContest(contests[pick % contests.size()]->name);
}

/// Types the QSO as the operator would: band and mode, reports and sent exchange, the
/// callsign and leaving its field, then the received exchange.
void Type(mirva::QsoEntry& entry, const mirva::CabrilloQso& q) {
  entry.Activate();
  entry.Mode = q.Mode;
  entry.ModeChanged();
  entry.Band = q.Band;
  entry.BandChanged();
  entry.RprtSent = q.RprtSent;
  entry.RprtRcvd = q.RprtRcvd;
  entry.NumberSent = q.NumberSent;
  entry.Call = q.Call;
  entry.CallChanged();
  entry.CallExited();
  entry.NumberRcvd = q.NumberRcvd;
  entry.RcvdChanged();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> lines = mirva::SplitLines(text);
  if (lines.empty() || lines[0].empty())
    return 0;
  mirva_fuzz::MemoryFileSystem fs;
  fs.files = mirva_fuzz::ReferenceFiles();
  mirva::SilentNotifier notifier;
  mirva::Session session(fs, notifier, "d");
  SetUp(session, lines[0]);

  mirva::FixedClock clock;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    mirva::CabrilloLine read = mirva::ReadCabrilloLine(mirva::Utf8ToCp1251(lines[i]));
    mirva_fuzz::Check(!read.qso || read.error.empty());
    if (!read.qso)
      continue;
    const mirva::CabrilloQso& q = *read.qso;
    clock.Set({q.QSODate, q.QSOTime});
    mirva::QsoEntry entry(session, clock);
    Type(entry, q);
    std::size_t before = session.log().QSOLog().size();
    mirva::SaveOutcome outcome;
    try {
      outcome = entry.Save();
    } catch (const mirva::ConversionError&) {
      // A zone that is not a number fails this QSO's scoring: nothing is logged.
      mirva_fuzz::Check(session.log().QSOLog().size() == before);
      continue;
    }
    mirva_fuzz::Check(session.log().QSOLog().size() == before + (mirva::IsLogged(outcome) ? 1 : 0));
    if (!mirva::IsLogged(outcome))
      continue;
    const mirva::TQSOData& logged = session.log().QSOLog().back();
    mirva_fuzz::Check(logged.QSODate == q.QSODate && logged.QSOTime == q.QSOTime);
    mirva_fuzz::Check(logged.Band == q.Band && logged.Mode == q.Mode);
  }
  return 0;
}
