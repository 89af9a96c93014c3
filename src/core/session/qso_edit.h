#pragma once

#include <cstddef>

#include "log/qso_record.h"

namespace mirva {

class Session;

/// The edit window's save: the QSO's date, time, callsign, band, mode, reports, exchanges and
/// note as edited, the received exchange brought into the contest's form, written over QSO
/// `index` (from 0). Points, multiplier mark and country prefix stay until the next
/// rescoring; the QSO table is recounted. Throws std::out_of_range for an index past the log.
void SaveEditedQso(Session& session, std::size_t index, const TQSOData& edited);

}  // namespace mirva
