#include "session/qso_entry.h"

#include <algorithm>
#include <utility>

#include "contest/rules/exchange.h"
#include "error.h"
#include "history/call_history.h"
#include "reference/callsign.h"
#include "scoring/exchange_warning.h"
#include "scoring/multipliers.h"
#include "scoring/score_qso.h"
#include "scoring/totals.h"
#include "session/session.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

void RemoveAll(std::string& text, std::string_view part) {
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at))
    text.erase(at, part.size());
}

bool Has(const std::vector<std::string>& items, const std::string& item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

/// A row per multiplier list of the contest, each showing "???" and blank band cells.
std::vector<MultRow> UnknownRows(const Session& session) {
  if (!session.HasContest())
    return {};
  const TContest& contest = session.Contest();
  MultRow unknown{"???", std::string(contest.Bands.size(), ' ')};
  return std::vector<MultRow>(std::clamp(contest.MultCount, 0, 3), unknown);
}

}  // namespace

QsoEntry::QsoEntry(Session& session, Clock& clock, EntryFile* entry_file)
    : session_(session), clock_(clock), entry_file_(entry_file) {}

void QsoEntry::Publish(EntrySelector selector) {
  if (!entry_file_)
    return;
  try {
    entry_file_->Write({Call, RprtSent, NumberSent, RprtRcvd, NumberRcvd}, selector);
    entry_file_failed_ = false;
  } catch (const IoError& error) {
    // Every key writes the file: one box per run of failures, not one per key.
    if (!entry_file_failed_)
      session_.notifier().ShowError(std::string(error.what()) +
                                    "\nThe companion programs do not see the entry until the "
                                    "shared entry file can be written again.");
    entry_file_failed_ = true;
  }
}

void QsoEntry::Activate() {
  if (!session_.HasContest())
    return;
  const TContest& contest = session_.Contest();
  if (!Has(contest.Modes, Mode)) {
    Mode = contest.Modes.empty() ? std::string() : contest.Modes.front();
    RprtSent = RprtRcvd = DefaultReport(Mode);
  } else if (RprtSent.empty() && RprtRcvd.empty()) {
    RprtSent = RprtRcvd = DefaultReport(Mode);
  }
  if (!Has(contest.Bands, Band))
    Band = contest.Bands.empty() ? std::string() : contest.Bands.front();
  view.Mults = UnknownRows(session_);
}

void QsoEntry::RemoveMarkers() {
  RemoveAll(Note, kDupeMarker);
  RemoveAll(Note, kWrongCountryMarker);
}

void QsoEntry::CallChanged() {
  Call = UpperCase(Call);
  Publish(kEntryCall);
  std::string rcvd = NumberRcvd;
  LookUpCall();
  // The proposal changed the received exchange as typing it would have.
  if (NumberRcvd != rcvd)
    Publish(kEntryNumberRcvd);
}

void QsoEntry::LookUpCall() {
  RemoveMarkers();
  if (Call.size() > 1) {
    CurrentCountry = TCountry();
    session_.FindCountry(Call, CurrentCountry);
    view.Country = CurrentCountry.Name;
    view.Cont = CurrentCountry.Continent;
    view.ITU = CurrentCountry.ITUZone;
    view.CQ = CurrentCountry.CQZone;
    ShowHistory();
    // A proposal the operator left as it was follows the callsign: "UA" proposes European
    // Russia's zone, "UA9ABC" then Asiatic Russia's.
    if (NumberRcvd.empty() || NumberRcvd == proposed_) {
      NumberRcvd = session_.PredictReceivedExchange(Call);
      proposed_ = NumberRcvd;
    }
    UtcTime now = clock_.Now();
    ShowWorkedCalls(now);
    CheckStatus(now);
    ShowMultipliers(now);
    return;
  }
  EntryView blank;
  blank.Dupe = view.Dupe;
  blank.Mults = UnknownRows(session_);
  view = std::move(blank);
}

void QsoEntry::ShowHistory() {
  const CallHistory* history = Call.size() > 1 ? session_.History() : nullptr;
  view.HistoryName = history ? std::string(history->Value(Call, "Name")) : std::string();
  view.HistoryText = history ? std::string(history->Value(Call, "UserText")) : std::string();
}

bool QsoEntry::CompleteFromWorked() {
  if (view.Worked.size() != 1 || Trim(view.Worked.front().Call).empty())
    return false;
  Call = view.Worked.front().Call;
  CallChanged();
  return true;
}

void QsoEntry::ModeChanged() {
  RprtSent = RprtRcvd = DefaultReport(Mode);
  Publish(kEntryAll);
  BandChanged();
}

void QsoEntry::BandChanged() {
  RemoveMarkers();
  UtcTime now = clock_.Now();
  CheckStatus(now);
  ShowWorkedCalls(now);
  if (Call.size() > 1)
    ShowMultipliers(now);
}

void QsoEntry::RcvdChanged() {
  NumberRcvd = UpperCase(NumberRcvd);
  if (Call.size() > 1)
    ShowMultipliers(clock_.Now());
  Publish(kEntryNumberRcvd);
}

void QsoEntry::LogChanged() {
  // A callsign of one character shows nothing to follow.
  if (Call.size() < 2)
    return;
  RemoveMarkers();
  UtcTime now = clock_.Now();
  ShowWorkedCalls(now);
  CheckStatus(now);
  ShowMultipliers(now);
}

void QsoEntry::SentChanged() {
  NumberSent = UpperCase(NumberSent);
  Publish(kEntryNumberSent);
}

std::string& QsoEntry::Text(EntryField field) {
  return const_cast<std::string&>(std::as_const(*this).Text(field));
}

const std::string& QsoEntry::Text(EntryField field) const {
  switch (field) {
    case EntryField::kCall:
      return Call;
    case EntryField::kBand:
      return Band;
    case EntryField::kMode:
      return Mode;
    case EntryField::kRprtSent:
      return RprtSent;
    case EntryField::kNumberSent:
      return NumberSent;
    case EntryField::kRprtRcvd:
      return RprtRcvd;
    case EntryField::kNumberRcvd:
      return NumberRcvd;
    case EntryField::kNote:
      break;
  }
  return Note;
}

void QsoEntry::FieldChanged(EntryField field) {
  switch (field) {
    case EntryField::kCall:
      return CallChanged();
    case EntryField::kBand:
      return BandChanged();
    case EntryField::kMode:
      return ModeChanged();
    case EntryField::kRprtSent:
      return RprtSentChanged();
    case EntryField::kNumberSent:
      return SentChanged();
    case EntryField::kRprtRcvd:
      return RprtRcvdChanged();
    case EntryField::kNumberRcvd:
      return RcvdChanged();
    case EntryField::kNote:
      return;
  }
}

IniFile QsoEntry::ReadInput() {
  return entry_file_ ? entry_file_->ReadInput() : IniFile();
}

void QsoEntry::CallExited() {
  session_.ShowPreviousQSOs(Call);
  std::string proposed = session_.PredictReceivedExchange(Call, session_.PrevQSOs());
  // The callsign's earlier QSOs correct even a typed exchange; a call history never does.
  bool from_log =
      !session_.PrevQSOs().empty() && !proposed.empty() &&
      (!PreviousExchange(session_.PrevQSOs()).empty() || session_.HistoryExchange(Call).empty());
  if (NumberRcvd.empty() || NumberRcvd == proposed_ || from_log) {
    NumberRcvd = proposed;
    proposed_ = proposed;
    RcvdChanged();
  }
}

TQSOData QsoEntry::FromFields(const UtcTime& now) const {
  TQSOData record;
  record.QSODate = now.date;
  record.QSOTime = now.time;
  record.Call = Call;
  record.Band = Band;
  record.Mode = Mode;
  record.RprtSent = RprtSent;
  record.NumberSent = NumberSent;
  record.RprtRcvd = RprtRcvd;
  record.NumberRcvd = NumberRcvd;
  return record;
}

void QsoEntry::CheckStatus(const UtcTime& now) {
  view.Dupe = session_.IsDupe(Call, Band, Mode, now.time);
  CountPoints = !view.Dupe;
  if (view.Dupe)
    Note = kDupeMarker + Note;
}

void QsoEntry::ShowWorkedCalls(const UtcTime& now) {
  view.Worked.clear();
  for (const CallQsos* call : session_.log().CallsContaining(Call))
    view.Worked.push_back({call->call, session_.IsDupe(*call, Band, Mode, now.time)});
}

void QsoEntry::ShowMultipliers(const UtcTime& now) {
  view.Warning.clear();
  view.NewMults.clear();
  if (!session_.HasContest())
    return;
  TQSOData typed = FromFields(now);
  std::vector<MultMatch> matches = QueryMultipliers(session_.Scoring(), typed, CurrentCountry);
  const TContest& contest = session_.Contest();
  int slot = std::clamp(ModeIndex(contest.Modes, Mode), 0, 3);
  view.Mults = UnknownRows(session_);
  for (std::size_t k = 0; k < matches.size() && k < view.Mults.size(); ++k) {
    const MultMatch& match = matches[k];
    MultRow& row = view.Mults[k];
    if (match.by_exchange) {
      row.Name = match.key;
      row.Bands.assign(row.Bands.size(), '?');
      continue;
    }
    if (match.entry.Name.empty())
      continue;
    row.Name = match.entry.Name;
    for (std::size_t b = 0; b < row.Bands.size(); ++b)
      row.Bands[b] = b < 8 && (match.entry.Worked[slot] >> b & 1u) ? '+' : '!';
  }
  view.Warning = ExchangeWarning(session_.Scoring(), typed, matches);
  // The save's own scoring decides what is new, so that the line never promises more.
  ScoredQso would = ScoreQso(session_.Scoring(), typed);
  std::vector<std::string_view> keys = SplitWords(would.record.MultsText, " ");
  view.NewMults.clear();
  for (std::size_t k = 0; k < keys.size() && k < 3; ++k) {
    if (would.mults.flags & (1u << k))
      view.NewMults.emplace_back(keys[k]);
  }
}

std::string QsoEntry::StatusLine() const {
  if (Trim(Call).size() < 2)
    return {};
  if (view.Dupe)
    return "DUPE";
  if (view.NewMults.empty())
    return {};
  std::string what;
  for (const std::string& key : view.NewMults)
    what += (what.empty() ? "" : ", ") + key;
  return "NEW MULT (" + what + ")";
}

SaveOutcome QsoEntry::Save() {
  if (Trim(Call).empty()) {
    session_.notifier().ShowRefusal(kEmptyCallMessage);
    return SaveOutcome::kNoCall;
  }
  if (Trim(NumberRcvd).empty() && !session_.notifier().AskYesNo(kEmptyRcvdQuestion))
    return SaveOutcome::kNotConfirmed;
  Call = UpperCase(Call);
  NumberSent = UpperCase(NumberSent);
  NumberRcvd = UpperCase(NumberRcvd);
  // The save decides the duplicate status, and its marker, at the moment of the save.
  RemoveMarkers();
  TQSOData fields = FromFields(clock_.Now());
  fields.Note = Note;
  ScoredQso scored = session_.SaveQso(fields);
  ClearFields();
  if (!scored.problem.empty())
    session_.notifier().ShowError(std::string(scored.problem));
  SaveOutcome outcome = SaveOutcome::kSaved;
  try {
    NumberSent = session_.NextSentExchange(Band);
  } catch (const ConversionError& e) {
    NumberSent.clear();
    session_.notifier().ShowError(e.what());
    outcome = SaveOutcome::kSavedWithoutNextSent;
  }
  // The companion keys the next QSO's serial number from the entry file.
  Publish(kEntryAll);
  return outcome;
}

void QsoEntry::Clear() {
  ClearFields();
  Publish(kEntryAll);
}

void QsoEntry::ClearFields() {
  Call.clear();
  NumberRcvd.clear();
  proposed_.clear();
  RprtSent = RprtRcvd = DefaultReport(Mode);
  Note.clear();
  LookUpCall();
}

}  // namespace mirva
