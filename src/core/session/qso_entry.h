#pragma once

#include <string>
#include <vector>

#include "link/command_target.h"
#include "link/entry_file.h"
#include "log/input_rule.h"
#include "log/qso_record.h"
#include "reference/country_db.h"
#include "session/clock.h"

namespace mirva {

class Session;

/// The other status marker put in front of the note, besides kDupeMarker.
inline constexpr char kWrongCountryMarker[] = "##Wrong country## ";
inline constexpr char kEmptyRcvdQuestion[] = "Received number is empty! Save anyway?";

/// A logged callsign that contains the typed text, and whether working it now is a duplicate.
struct WorkedCall {
  std::string Call;
  bool Dupe = false;

  bool operator==(const WorkedCall&) const = default;
};

/// One row of the multiplier status: the entry's name ("???" when the value is not in the
/// list) and per band of the contest '+' (worked), '!' (still needed) or ' '; a received
/// exchange that cannot count shows as typed with '?' on every band.
struct MultRow {
  std::string Name = "???";
  std::string Bands;
};

/// What the entry window shows about the callsign being typed.
struct EntryView {
  std::string Country = "???";
  std::string Cont = "??";
  std::string ITU = "??";
  std::string CQ = "??";
  bool Dupe = false;  ///< the note is shown in red
  std::vector<WorkedCall> Worked;
  std::vector<MultRow> Mults;  ///< one per multiplier list the contest uses
  /// The keys the QSO as typed would count as new multipliers if saved now.
  std::vector<std::string> NewMults;
  /// Why the received exchange cannot count, for the status line; empty when it can.
  std::string Warning;
  /// The call history's Name and UserText for the callsign as typed; empty when it has none.
  std::string HistoryName;
  std::string HistoryText;
};

/// How a save ended.
enum class SaveOutcome {
  kSaved,
  /// The QSO is logged, but the next sent exchange could not be proposed (the operator was
  /// told why) and the sent exchange is left empty.
  kSavedWithoutNextSent,
  kNoCall,       ///< the callsign is blank: nothing saved, the callsign gets the focus
  kNotConfirmed  ///< the received exchange is blank and the operator said no
};

/// Whether the save logged the QSO.
inline bool IsLogged(SaveOutcome outcome) {
  return outcome == SaveOutcome::kSaved || outcome == SaveOutcome::kSavedWithoutNextSent;
}

/// The entry window without the window: its fields, what it shows, and what each edit, the
/// save and the clear do to them and to the log. The window copies the fields to its controls.
class QsoEntry {
 public:
  /// Every change is mirrored into `entry_file`; without one nothing is written.
  QsoEntry(Session& session, Clock& clock, EntryFile* entry_file = nullptr);

  std::string Call;
  std::string Band;
  std::string Mode;
  std::string RprtSent;
  std::string NumberSent;
  std::string RprtRcvd;
  std::string NumberRcvd;
  std::string Note;

  /// The country found for the callsign by the last lookup.
  TCountry CurrentCountry;
  /// Whether the last status check found the QSO countable (not a duplicate).
  bool CountPoints = false;
  EntryView view;

  /// First activation, and after a contest change: keeps the band and the mode chosen when
  /// the contest has them and otherwise picks its first (a new mode with its default
  /// reports), and shows an empty callsign.
  void Activate();
  /// The callsign as typed: shown in upper case, its country, status, worked calls and
  /// multipliers looked up from two characters on.
  void CallChanged();
  /// When exactly one logged call contains the typed callsign, takes it as the callsign and
  /// returns true.
  bool CompleteFromWorked();
  /// Takes the mode's default reports, then as BandChanged.
  void ModeChanged();
  /// Removes the markers, checks the status and lists the worked calls again.
  void BandChanged();
  void RcvdChanged();
  /// The log changed under the entry (a QSO edited, deleted or scored again, the log cleared):
  /// the status, worked calls and multipliers of the callsign as typed are looked up again,
  /// and the fields stay as typed.
  void LogChanged();
  /// Shows the call history's name and user text for the callsign as typed again: after the
  /// session's call history was replaced.
  void ShowHistory();
  /// The sent exchange as typed, shown in upper case.
  void SentChanged();
  void RprtSentChanged() { Publish(kEntryRprtSent); }
  void RprtRcvdChanged() { Publish(kEntryRprtRcvd); }
  std::string& Text(EntryField field);
  const std::string& Text(EntryField field) const;
  /// Runs the change handling of the field as typing into it does; the note has none.
  void FieldChanged(EntryField field);
  /// The companion's input file beside the entry file; empty without an entry file.
  IniFile ReadInput();
  /// Leaving the callsign field: shows the previous QSOs and proposes their exchange. The
  /// proposal fills an empty received exchange or replaces the entry's own proposal; one from
  /// the callsign's earlier QSOs replaces a typed exchange too, one from the call history never.
  void CallExited();
  /// Whether the received exchange is a proposal the operator has not changed, which typing
  /// should replace.
  bool RcvdIsProposed() const { return !NumberRcvd.empty() && NumberRcvd == proposed_; }
  /// The line under the callsign: "DUPE", "NEW MULT (keys)" or empty.
  std::string StatusLine() const;
  /// Logs the QSO as entered, scored at the clock's time, clears the entry and proposes the
  /// next sent exchange. A bad exchange the points rules find is told to the operator. Throws
  /// IoError when the QSO cannot be written, with the entry kept.
  SaveOutcome Save();
  /// Empties the callsign, the received exchange and the note and resets the reports.
  void Clear();
  /// Writes the callsign, reports and exchanges to the entry file, telling it which changed.
  /// A file that cannot be written never stops the entry: the operator is told once, and
  /// again only after a write has succeeded in between.
  void Publish(EntrySelector selector);

 private:
  void RemoveMarkers();
  /// Looks up the country, status, worked calls and multipliers of the callsign as it is.
  void LookUpCall();
  /// Clear without writing the entry file.
  void ClearFields();
  // Each keystroke reads the clock once and hands its time to these.
  void CheckStatus(const UtcTime& now);
  void ShowWorkedCalls(const UtcTime& now);
  void ShowMultipliers(const UtcTime& now);
  /// A record of the date, time, callsign, band, mode, reports and exchanges.
  TQSOData FromFields(const UtcTime& now) const;

  Session& session_;
  Clock& clock_;
  /// The received exchange as proposed last; the operator has not changed it while it is
  /// still NumberRcvd.
  std::string proposed_;
  EntryFile* entry_file_;
  /// The last write of the entry file failed, and the operator was told.
  bool entry_file_failed_ = false;
};

}  // namespace mirva
