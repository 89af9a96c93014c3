// The rescoring: every QSO of the log file scored again as stored, one by one, against the
// ones before it.
#include "session/rescore.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "error.h"
#include "session/session.h"

namespace mirva {

namespace {

/// How many QSOs a problem of the points rules hit, and the first of them.
struct ProblemCount {
  std::string_view text;
  std::size_t count = 0;
  std::size_t first = 0;
};

void CountProblem(std::vector<ProblemCount>& problems, std::string_view text, std::size_t qso) {
  for (ProblemCount& problem : problems) {
    if (problem.text == text) {
      ++problem.count;
      return;
    }
  }
  problems.push_back({text, 1, qso});
}

/// One message for all QSOs that had the same problem.
std::string ProblemMessage(const ProblemCount& problem) {
  return std::string(problem.text) + "\r\n" + std::to_string(problem.count) +
         (problem.count == 1 ? " QSO" : " QSOs") + " scored 0 points for this, first at QSO " +
         std::to_string(problem.first + 1) + ".";
}

}  // namespace

bool Session::RescoreLog() {
  Operation operation(*this);
  RequireCountryFile();
  RequirePointsTable();
  std::string log_path = PathOf(kLogFileName);
  std::string copy_path = PathOf(kRescoreCopyName);
  try {
    log_.RequireChangeable();
  } catch (const IoError& e) {
    notifier_.ShowError(e.what());
    return false;
  }
  std::optional<std::string> bytes;
  try {
    fs_->LinkOrCopy(log_path, copy_path);
    bytes = fs_->ReadFile(copy_path);
  } catch (const IoError&) {
  }
  if (!bytes) {
    notifier_.ShowError(kRescoreCopyFailed);
    return false;
  }
  std::vector<ProblemCount> problems;
  notices_.log = true;
  try {
    log_.ForgetInMemory();
    RebuildTotals();
    for (std::size_t at = 0; at + kQsoRecordSize <= bytes->size(); at += kQsoRecordSize) {
      ScoredQso scored = ScoreStoredQso(Scoring(), DecodeQSO(bytes->data() + at));
      std::string& note = scored.record.Note;
      if (scored.dupe)
        note = MarkDupeNote(note);
      else
        note.erase(0, note.size() - UnmarkDupeNote(note).size());
      if (!scored.problem.empty())
        CountProblem(problems, scored.problem, at / kQsoRecordSize);
      log_.AddInMemory(scored.record);
      UpdateAfterAppend(contest_, totals_, rules_, log_, scored.record, scored.mults);
    }
    log_.SaveAll();
  } catch (const std::exception& e) {
    std::string message = e.what();
    try {
      log_.LoadLog();
    } catch (const std::exception& reload) {
      message += "\r\n" + std::string(reload.what());
    }
    RebuildTotals();
    notifier_.ShowError(message);
    return false;
  }
  for (const ProblemCount& problem : problems)
    notifier_.ShowError(ProblemMessage(problem));
  return true;
}

}  // namespace mirva
