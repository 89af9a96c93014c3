#pragma once

#include <cstdint>
#include <vector>

#include "contest/contest_state.h"
#include "log/qso_record.h"

namespace mirva {

class Session;

// The worked-multiplier store: which multipliers a QSO brings new, marking and committing
// them, and what the QSO being typed would count in.

/// Decides which of the QSO's multipliers are new, writes its multiplier mark and remembers
/// the new entries for CommitMultipliers. Returns bit 1, 2 and 4 for lists 1, 2 and 3. A QSO
/// whose band or mode is not the contest's brings none.
uint8_t MarkMultipliers(Session& session, TQSOData& record);

/// Sets the worked bits of the entries that the last MarkMultipliers or ReplayMarks found for
/// the lists flagged, appending the entries still to be added.
void CommitMultipliers(Session& session, const TQSOData& record, uint8_t flags);

/// Zeroes every worked mask of the three lists; names and appended entries stay.
void ClearMultipliers(ContestState& state);

/// Copies of the entries the QSO as entered would count in, one per list the rule uses; an
/// entry with an empty name: the value is not in the list.
std::vector<TMultEntry> QueryMultipliers(const Session& session, const TQSOData& record);

/// Finds again, from the stored multiplier mark, the entries the QSO brought new (appending
/// names no list holds) and returns its flags.
uint8_t ReplayMarks(Session& session, const TQSOData& record);

}  // namespace mirva
