#pragma once

#include <string>
#include <string_view>

#include "contest/rules/rules.h"
#include "reference/country_db.h"

namespace mirva {

/// The country found for a text (a stored country prefix or a callsign); a cleared record
/// when nothing matches.
TCountry CountryOf(const RuleContext& ctx, std::string_view text);

/// The first of three values that holds for the worked country: the station's own country,
/// its continent, or farther away.
int ByDistance(const TCountry& worked, const RuleContext& ctx, int same_country, int same_continent,
               int farther);

/// "160", "80" or "40".
bool IsLowBand(std::string_view band);

/// A country prefix followed by the call-area digit of a callsign: the last character of
/// its WPX prefix.
std::string CallArea(std::string_view prefix, std::string_view call);

}  // namespace mirva
