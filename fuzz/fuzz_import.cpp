// Imports arbitrary bytes as a Cabrillo log through the command line's import: the file's
// lines typed into the entry of a session with a contest set up, each at its QSO's own time,
// with the report of what was and was not logged. Checks the exit status against what the
// log took, and that every logged QSO has a band and mode of the contest and texts that fit
// their fields.
// Input: a first line whose first byte picks the contest and whose rest is the station's
// callsign, then the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cabrillo_import.h"
#include "contest/rules/rules.h"
#include "fuzz_check.h"
#include "import_report.h"
#include "log/cabrillo_qso.h"
#include "log/input_rule.h"
#include "memory_file_system.h"
#include "reference/station.h"
#include "session/session.h"
#include "session_files.h"
#include "terminal_notifier.h"
#include "text/strings.h"

namespace {

void SetUp(mirva::Session& session, std::string_view first_line) {
  session.Start(mirva::LogAccess::kWrite);
  mirva::TStationCFG station;
  mirva::FillStationFromCall(session.countries(), first_line.substr(1), station);
  station.Call = first_line.substr(1);
  session.SetStation(station);
  auto contests = mirva::AllContestRules();
  std::size_t pick = static_cast<unsigned char>(first_line[0]);
  session.SelectContest(contests[pick % contests.size()]->name);
}

bool Contains(const std::vector<std::string>& list, const std::string& value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

bool Fits(const mirva::InputField& field, const std::string& text) {
  return text.size() <= field.capacity &&
         std::none_of(text.begin(), text.end(), mirva::IsControlChar);
}

void CheckLogged(const mirva::TContest& contest, const mirva::TQSOData& q) {
  mirva_fuzz::Check(Contains(contest.Bands, q.Band) && Contains(contest.Modes, q.Mode));
  mirva_fuzz::Check(Fits(mirva::kCallInput, q.Call) && Fits(mirva::kRprtSentInput, q.RprtSent) &&
                    Fits(mirva::kNumberSentInput, q.NumberSent) &&
                    Fits(mirva::kRprtRcvdInput, q.RprtRcvd) &&
                    Fits(mirva::kNumberRcvdInput, q.NumberRcvd));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t first_end = text.find('\n');
  if (first_end == 0 || first_end == std::string_view::npos)
    return 0;
  std::vector<std::string_view> lines =
      mirva::SplitLines(mirva::WithoutByteOrderMark(text.substr(first_end + 1)));
  if (!mirva::IsCabrillo(lines))
    return 0;
  mirva::MemoryFileSystem fs;
  fs.files = mirva_fuzz::SessionFiles();
  mirva::TerminalNotifier notifier(true);
  mirva::Session session(fs, notifier, "d");
  std::string_view first_line = text.substr(0, first_end);
  if (first_line.ends_with('\r'))
    first_line.remove_suffix(1);
  if (first_line.empty())
    return 0;
  SetUp(session, first_line);

  mirva::ImportReport report("fuzz", lines.size(), false);
  notifier.DivertErrors([&report](const std::string& error) { report.SaveError(error); });
  int status = mirva::ImportLines(session, lines, report);
  notifier.DivertErrors(nullptr);

  const mirva::QsoLog& log = session.log().QSOLog();
  std::size_t qso_lines = std::count_if(lines.begin(), lines.end(), [](std::string_view line) {
    return mirva::TagOf(line) == mirva::CabrilloTag::kQso;
  });
  mirva_fuzz::Check(log.size() <= qso_lines);
  mirva_fuzz::Check(status == mirva::kImportAllLogged || status == mirva::kImportPartly ||
                    status == mirva::kImportFailed);
  mirva_fuzz::Check(!log.empty() || status == mirva::kImportFailed);
  for (const mirva::TQSOData& q : log)
    CheckLogged(session.Contest(), q);
  std::optional<std::string> file = fs.ReadFile(session.log().PathOf(mirva::kLogFileName));
  mirva_fuzz::Check(file.value_or("").size() == log.size() * mirva::kQsoRecordSize);
  return 0;
}
