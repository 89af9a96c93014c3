#pragma once

#include <cstddef>
#include <string>

#include "log/qso_record.h"

namespace mirva {

/// The question asked before a QSO is deleted, naming it by its number in the list (from 1),
/// call, band, mode and time (HH:MM): "Are you sure?\nDelete QSO 12, K1AR on 20 CW at 12:03?".
/// A part the QSO lacks is left out of the second line.
std::string DeleteQsoQuestion(std::size_t number, const TQSOData& q);

}  // namespace mirva
