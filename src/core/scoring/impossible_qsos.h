#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "contest/rules/rules.h"
#include "log/qso_log.h"
#include "log/qso_record.h"

namespace mirva {

/// The bands and the modes that any known contest has, each sorted.
struct KnownBandsAndModes {
  std::vector<std::string> bands;
  std::vector<std::string> modes;
};

/// Gathers them from every contest's definition, run for the station of `ctx` without
/// countries or domestic lists, which decide no band or mode.
KnownBandsAndModes AllBandsAndModes(const RuleContext& ctx);

/// Whether a stored record can be a QSO at all: a callsign of printable characters that is not
/// blank, a date of the calendar, a time of day "hh:nn", and a band and a mode that some known
/// contest has. The other fields are not judged: any value there can be mended by a rescoring
/// or an edit.
bool CanBeQso(QsoRecordView record, const KnownBandsAndModes& known);

/// The positions (from 0) of the records of the log that cannot be QSOs.
std::vector<std::size_t> ImpossibleQsos(const QsoLog& log, const KnownBandsAndModes& known);

}  // namespace mirva
