#include "cabrillo_import.h"

#include <algorithm>
#include <exception>
#include <string>
#include <utility>

#include "cli.h"
#include "import_report.h"
#include "log/cabrillo_qso.h"
#include "log/input_rule.h"
#include "session/clock.h"
#include "session/qso_entry.h"
#include "session/session.h"
#include "stop_signals.h"
#include "typed_qso.h"

namespace mirva {

namespace {

/// Lines imported between two flushes of the log.
constexpr std::size_t kImportBatch = 1000;

/// The texts of a Cabrillo QSO that the log keeps, and their fields.
constexpr std::pair<std::string CabrilloQso::*, const InputField&> kImportedTexts[] = {
    {&CabrilloQso::Call, kCallInput},
    {&CabrilloQso::RprtSent, kRprtSentInput},
    {&CabrilloQso::NumberSent, kNumberSentInput},
    {&CabrilloQso::RprtRcvd, kRprtRcvdInput},
    {&CabrilloQso::NumberRcvd, kNumberRcvdInput},
};

/// Passes the QSO's texts through the input rule into Windows-1251, each cut to its field
/// with a note in `cuts` when it is too long; the reason when a text is refused.
std::string CheckImportedTexts(CabrilloQso& q, std::vector<std::string>& cuts) {
  for (const auto& [member, field] : kImportedTexts) {
    CheckedInput checked = CheckInput(field, q.*member);
    if (checked.fault == InputFault::kTooLong) {
      checked.text.resize(field.capacity);
      cuts.push_back(checked.message + "; logged as '" + checked.text + "'");
    } else if (checked.fault != InputFault::kNone) {
      return checked.message;
    }
    q.*member = std::move(checked.text);
  }
  return {};
}

/// Logs the QSO of a "QSO:" line as the entry window would at the QSO's time, or tells the
/// report why not.
void ImportQso(Session& session, FixedClock& clock, std::string_view line, ImportReport& report) {
  CabrilloLine read = ReadCabrilloLine(line);
  if (!read.qso)
    return report.Skipped(read.error);
  CabrilloQso& q = *read.qso;
  const TContest& contest = session.Contest();
  std::vector<std::string> cuts;
  std::string why = NotOneOf(q.Band, contest.Bands, "band");
  if (why.empty())
    why = NotOneOf(q.Mode, contest.Modes, "mode");
  if (why.empty())
    why = CheckImportedTexts(q, cuts);
  if (!why.empty())
    return report.Skipped(why);
  clock.Set({q.QSODate, q.QSOTime});
  QsoEntry entry(session, clock);
  TypeQso(entry, session,
          {q.Band, q.Mode, q.RprtSent, q.NumberSent, q.RprtRcvd, q.NumberRcvd, q.Call, ""});
  if (!IsLogged(entry.Save()))
    return report.Skipped(kEmptyCallMessage);
  report.Logged(cuts);
}

/// One line of the file: a QSO is logged unless the log has ended, an excluded QSO counted.
void ImportLine(Session& session, FixedClock& clock, std::string_view line, bool& ended,
                ImportReport& report) {
  switch (TagOf(line)) {
    case CabrilloTag::kQso:
      if (ended)
        return report.AfterEnd();
      return ImportQso(session, clock, line, report);
    case CabrilloTag::kExcludedQso:
      return report.Excluded();
    case CabrilloTag::kEndOfLog:
      ended = true;
      return;
    case CabrilloTag::kStartOfLog:
    case CabrilloTag::kOther:
      return;
  }
}

}  // namespace

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  return text.substr(0, kMark.size()) == kMark ? text.substr(kMark.size()) : text;
}

bool IsCabrillo(const std::vector<std::string_view>& lines) {
  return std::any_of(lines.begin(), lines.end(), [](std::string_view line) {
    CabrilloTag tag = TagOf(line);
    return tag == CabrilloTag::kStartOfLog || tag == CabrilloTag::kQso ||
           tag == CabrilloTag::kExcludedQso;
  });
}

int ImportLines(Session& session, const std::vector<std::string_view>& lines,
                ImportReport& report) {
  StopSignals stop;
  FixedClock clock;
  bool ended = false;
  std::size_t done = 0;
  try {
    session.BeginLogBatch();
    while (done < lines.size() && !stop.Requested()) {
      report.AtLine(done + 1);
      ImportLine(session, clock, lines[done], ended, report);
      if (++done % kImportBatch == 0) {
        session.EndLogBatch();
        session.BeginLogBatch();
        report.Progress();
      }
    }
    session.EndLogBatch();
  } catch (const std::exception& e) {
    std::string why = e.what();
    try {
      session.EndLogBatch();
    } catch (const std::exception& flush) {
      why += "; and then: " + std::string(flush.what());
    }
    return report.Stopped(done + 1, why);
  }
  if (int signal = stop.Requested())
    return report.Stopped(done + 1, "interrupted by signal " + std::to_string(signal));
  return report.Finish();
}

}  // namespace mirva
