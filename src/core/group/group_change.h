#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "log/qso_record.h"

namespace mirva {

/// The largest encoded change a station sends or takes.
inline constexpr std::size_t kMaxGroupChangeSize = 2048;
/// The longest station name of a group.
inline constexpr std::size_t kMaxStationNameSize = 32;

/// One change of the group's log: a QSO new or edited (carrying the whole record), or
/// deleted. A QSO is known by the station that logged it and its number there; every edit
/// and the delete raise its revision, and `editor` is the station that made this revision.
struct GroupChange {
  enum class Kind { kUpsert, kTombstone };
  Kind kind = Kind::kUpsert;
  std::string station;
  uint32_t number = 0;
  uint32_t revision = 0;
  std::string editor;
  TQSOData record;  ///< an upsert's QSO; empty for a tombstone

  bool operator==(const GroupChange&) const = default;
};

/// Whether the name can be a station's in the group: 1 to 32 Latin letters, digits, "-" or
/// "_", the first a letter or a digit.
bool ValidStationName(std::string_view name);

/// The broker's id of the change: the same change sent again gets the same id.
std::string MessageIdOf(const GroupChange& change);

/// A header line "MIRVA-GROUP 1 U|T station number revision editor" and, for an upsert, the
/// record's 264 bytes as the log stores them.
std::string EncodeChange(const GroupChange& change);

/// The change, or why the bytes are not one: a wrong header, version, name or number, a
/// record of the wrong size or one the input rule refuses, or more than kMaxGroupChangeSize
/// bytes. Any bytes may be given.
struct DecodedChange {
  std::optional<GroupChange> change;
  std::string error;
};
DecodedChange DecodeChange(std::string_view bytes);

}  // namespace mirva
