#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "spots/spot.h"

namespace mirva {

/// What a connected station tells the group every few seconds: who operates it, where.
struct GroupPresence {
  std::string station;
  std::string op;  ///< the operator's call or name; may be empty
  std::string band;
  std::string mode;

  bool operator==(const GroupPresence&) const = default;
};

/// A short message from one station's operator to the others.
struct GroupNote {
  std::string station;
  std::string text;

  bool operator==(const GroupNote&) const = default;
};

/// The longest note text; a longer one is cut.
inline constexpr std::size_t kGroupNoteSize = 200;

/// "MIRVA-HERE 1" and the four fields, tab-separated; each field is cleaned of control
/// characters and cut (operator 16, band 12, mode 4 bytes).
std::string EncodePresence(const GroupPresence& presence);
/// Nothing when the message is not one a station sent: another header, a field too long,
/// a control character, or a station name that is not valid.
std::optional<GroupPresence> DecodePresence(std::string_view bytes);

/// "MIRVA-NOTE 1", the station and the text, tab-separated; the text cleaned and cut.
std::string EncodeNote(const GroupNote& note);
std::optional<GroupNote> DecodeNote(std::string_view bytes);

/// A spot one station heard from its cluster or marked by hand, passed to the others.
struct GroupSpot {
  std::string station;
  Spot spot;

  bool operator==(const GroupSpot&) const = default;
};

/// "MIRVA-SPOT 1", the station, the frequency in Hz, the call, the spotter, "hand" or
/// "cluster", the mode, the time and the comment, tab-separated; texts cleaned and cut.
std::string EncodeSpot(const GroupSpot& spot);
/// Nothing when the message is not one a station sent: another header or field count, a
/// frequency that is not a positive number of Hz, a call or station name that is not valid.
std::optional<GroupSpot> DecodeSpot(std::string_view bytes);

}  // namespace mirva
