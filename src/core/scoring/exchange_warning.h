#pragma once

#include <span>
#include <string>

#include "log/qso_record.h"
#include "scoring/multipliers.h"
#include "scoring/scoring_context.h"

namespace mirva {

/// The operator's warning for a QSO being typed whose received exchange cannot count in a
/// multiplier list or has not the form the contest asks for; empty when it can. `matches` is
/// what QueryMultipliers gave for the same record.
std::string ExchangeWarning(const ScoringContext& ctx, const TQSOData& record,
                            std::span<const MultMatch> matches);

}  // namespace mirva
