// Sets up one of the contests for an arbitrary station, then normalises, checks, scores, marks
// and logs arbitrary QSOs against a growing log, replays and rescores the log at the end and
// builds every report of it.
// Input: a first line with the contest's number, eight lines with the station's fields, then
// one QSO per line as "CALL BAND MODE TIME RCVD".
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "contest/rules/rules.h"
#include "error.h"
#include "memory_file_system.h"
#include "reports/adif.h"
#include "reports/cabrillo.h"
#include "reports/summary.h"
#include "scoring/exchange_warning.h"
#include "scoring/multipliers.h"
#include "scoring/totals.h"
#include "session/rescore.h"
#include "session/session.h"
#include "session_files.h"
#include "text/strings.h"

namespace {

std::vector<std::string> Words(std::string_view line) {
  std::istringstream in{std::string(line)};
  std::vector<std::string> words;
  for (std::string w; in >> w;)
    words.push_back(w);
  words.resize(5);
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> lines = mirva::SplitLines(input);
  if (lines.size() < 9)
    return 0;
  mirva::MemoryFileSystem fs;
  fs.files = mirva_fuzz::SessionFiles();
  mirva::SilentNotifier notifier;
  mirva::Session session(fs, notifier, "d");
  session.Start();
  mirva::TStationCFG station;
  std::string* fields[] = {&station.Call, &station.Country, &station.ITU,  &station.CQ,
                           &station.Cont, &station.Lat,     &station.Long, &station.State};
  for (std::size_t i = 0; i < 8; ++i)
    *fields[i] = lines[i + 1];
  session.SetStation(station);

  auto contests = mirva::AllContestRules();
  std::size_t pick = lines[0].empty() ? 0 : static_cast<unsigned char>(lines[0][0]);
  session.SelectContest(contests[pick % contests.size()]->name);
  for (std::size_t i = 9; i < lines.size(); ++i) {
    std::vector<std::string> w = Words(lines[i]);
    mirva::TQSOData qso;
    qso.Call = w[0], qso.Band = w[1], qso.Mode = w[2], qso.QSOTime = w[3], qso.NumberRcvd = w[4];
    session.ShowPreviousQSOs(qso.Call);
    session.PredictReceivedExchange(qso.Call, session.PrevQSOs());
    try {
      qso = session.SaveQso(qso).record;
    } catch (const mirva::ConversionError&) {
      // A zone that is not a number fails this QSO's scoring, as it should: nothing is logged.
      continue;
    }
    mirva::TCountry worked;
    session.FindCountry(qso.Call, worked);
    // What the entry window would show: an entry found is the key's, a key that cannot count
    // finds none.
    std::vector<mirva::MultMatch> matches = mirva::QueryMultipliers(session.Scoring(), qso, worked);
    for (const mirva::MultMatch& m : matches) {
      if (!m.entry.Name.empty() && m.entry.Name != m.key)
        __builtin_trap();
      if (m.uncountable && (m.key.empty() || !m.entry.Name.empty()))
        __builtin_trap();
    }
    mirva::ExchangeWarning(session.Scoring(), qso, matches);
    // Once logged, the same QSO again repeats it under every rule but the hour and never.
    mirva::DupeRule rule = session.Rules() ? session.Rules()->dupe : mirva::DupeRule::kNever;
    bool by_band = rule != mirva::DupeRule::kNever && rule != mirva::DupeRule::kHour;
    if (by_band && !session.IsDupe(qso.Call, qso.Band, qso.Mode, qso.QSOTime))
      __builtin_trap();
    try {
      session.NextSentExchange();
    } catch (const mirva::ConversionError&) {
      // A sent exchange that is no number stops only the next proposal.
    }
  }
  // Replaying the log gives the points that logging it added up.
  int64_t logged_points = session.totals().TotalPoints;
  session.RebuildTotals();
  if (session.totals().TotalPoints != logged_points)
    __builtin_trap();
  std::size_t count = session.log().QSOLog().size();
  if (session.RescoreLog() && session.log().QSOLog().size() != count)
    __builtin_trap();
  mirva::AdifText(session.log().QSOLog());
  if (!session.HasContest())
    return 0;
  // Every report builds from whatever the log holds, with one Cabrillo line per QSO.
  mirva::CabrilloHeader cabrillo;
  cabrillo.Call = station.Call;
  mirva::ReportLines log = mirva::BuildCabrilloLog(session, cabrillo);
  if (session.Contest().CabrilloFormat == 1 && log.size() != 12 + session.log().QSOLog().size())
    __builtin_trap();
  mirva::ReportHeader header;
  header.Operators.resize(lines.size() % 5);
  mirva::ReportFileBytes(mirva::BuildAllReport(session, header));
  double today = static_cast<double>(input.size()) * 97;
  mirva::ReportFileBytes(mirva::BuildSummarySheet(session, header, today));
  return 0;
}
