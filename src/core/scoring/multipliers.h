#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contest/contest_state.h"
#include "log/qso_record.h"
#include "scoring/scoring_context.h"

namespace mirva {

/// What counting a stored QSO's multipliers reads: its band, mode and multiplier mark, from a
/// record or in place from the log's bytes.
struct MarkedQso {
  MarkedQso(const TQSOData& q) : Band(q.Band), Mode(q.Mode), MultsText(q.MultsText) {}
  MarkedQso(const QsoRecordView& q) : Band(q.Band()), Mode(q.Mode()), MultsText(q.MultsText()) {}

  std::string_view Band;
  std::string_view Mode;
  std::string_view MultsText;
};

// The worked-multiplier store: which multipliers a QSO brings new, marking and committing
// them, and what the QSO being typed would count in.

/// Decides which of the QSO's multipliers are new and writes its multiplier mark; `worked` is
/// the country of its callsign (cleared when none matched). A QSO whose band or mode is not
/// the contest's brings none.
NewMults MarkMultipliers(const ScoringContext& ctx, TQSOData& record, const TCountry& worked);

/// Sets the worked bits of the entries that MarkMultipliers or ReplayMarks found for the QSO,
/// appending the entries still to be added.
void CommitMultipliers(ContestState& state, const ContestRules* rules, const MarkedQso& record,
                       const NewMults& mults);

/// Zeroes every worked mask of the three lists; names and appended entries stay.
void ClearMultipliers(ContestState& state);

/// What the QSO being typed counts under in one multiplier list.
struct MultMatch {
  std::string key;   ///< the key the rule gives; empty: the QSO has nothing to count here
  TMultEntry entry;  ///< a copy of the first entry named `key`; an empty name: none is
  /// The key is not empty, no entry has it and the list does not append it.
  bool uncountable = false;
  /// An uncountable key that comes from the received exchange: another exchange changes it.
  bool by_exchange = false;
};

/// What the QSO as entered would count in once saved, one element per list the rule uses.
std::vector<MultMatch> QueryMultipliers(const ScoringContext& ctx, const TQSOData& typed,
                                        const TCountry& worked);

/// Finds again, from the stored multiplier mark, the entries the QSO brought new, appending
/// names no list holds.
NewMults ReplayMarks(ContestState& state, const MarkedQso& record);

}  // namespace mirva
