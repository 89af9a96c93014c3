#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reference/domestic.h"

namespace mirva {

// Small string routines on callsigns, exchanges and the band and mode lists. Comparisons are
// exact and case-sensitive: callsigns are upper case by the time they get here.

/// The longest run of letters 'A' to 'Z' at the end of the text; empty if there is none.
std::string TrailingLetters(std::string_view s);

/// The value of the digits at the start of the text; -1 if it does not start with a digit or
/// the digits do not fit a 32-bit integer.
int32_t LeadingNumber(std::string_view s);

/// Splits a call at its first '/': 0 without one (base is the call, designator empty); 1 when
/// the part before is at least as long as the part after, which is then the designator; 2
/// otherwise, with the part before as the designator.
int SplitPortable(std::string_view call, std::string& base, std::string& designator);

/// The 1-based position of the last digit; 0 if there is none.
int LastDigitPos(std::string_view s);

/// The WPX prefix of a callsign (UA3ABC gives UA3, UA3ABC/5 gives UA5, OE/DL1ABC gives OE0);
/// empty for an empty call.
std::string WpxPrefix(std::string_view call);

/// The 0-based index of the last line equal to the band, -1 if none.
int BandIndex(const std::vector<std::string>& bands, std::string_view band);

/// The 0-based index of the last line equal to the mode, -1 if none.
int ModeIndex(const std::vector<std::string>& modes, std::string_view mode);

/// The name of the first entry whose code is the call's district key (its last digit and the
/// character after it, 3A for UA3ABC); empty if the call ends in a digit, has none, or no
/// entry matches.
std::string RegionByCall(std::string_view call, const std::vector<TDomestic>& domestic_list);

}  // namespace mirva
