#pragma once

#include <string>
#include <string_view>

#include "log/qso_record.h"
#include "scoring/scoring_context.h"

namespace mirva {

/// A QSO as the contest in place counts it.
struct ScoredQso {
  /// The record to store: texts cut to their fields, the received exchange in the contest's
  /// form, the country prefix, the points and the multiplier mark.
  TQSOData record;
  bool dupe = false;  ///< a duplicate scores nothing
  NewMults mults;
  /// Why the points rule gave nothing (an exchange or station it cannot score); empty when
  /// nothing was wrong.
  std::string_view problem;
};

/// Scores the QSO's date, time, callsign, band, mode, reports, exchanges and note against the
/// log as it stands: the way every save and import turns fields into a record. The note is
/// left as it is; its duplicate marker is the caller's.
ScoredQso ScoreQso(const ScoringContext& ctx, TQSOData fields);

/// Scores a stored record as it is, its received exchange included, against the log as it
/// stands: only the points, the multiplier mark and the country prefix change. The rescoring's
/// way, so that a log rescored under another contest and back is what it was.
ScoredQso ScoreStoredQso(const ScoringContext& ctx, TQSOData stored);

/// The received exchange in the contest's form; as typed without a contest.
std::string NormalizeReceivedExchange(const ScoringContext& ctx, const TQSOData& qso);

/// What a duplicate's note starts with when it is saved.
inline constexpr char kDupeMarker[] = "##Dupe## ";

/// The note with one "##Dupe##" marker in front, however often it was rescored before.
std::string MarkDupeNote(std::string_view note);

/// The note without the markers a save or a rescoring put in front of it ("##Dupe##" followed
/// by a blank or the end of the note, as often as it is there); the rest as it is.
std::string_view UnmarkDupeNote(std::string_view note);

}  // namespace mirva
