#pragma once

#include <QString>

#include "link/radio.h"

namespace mirva {

/// The radio's settings from the section [Radio] of the stored settings; the defaults where a
/// key is missing or no number.
RadioSettings ReadRadioSettings();

/// Keeps the radio's settings for the next start and for mirva-cli's radio.
void StoreRadioSettings(const RadioSettings& settings);

}  // namespace mirva
