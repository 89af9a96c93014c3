#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reference/master_calls.h"

namespace mirva {

class Session;

/// How many calls of each list are shown; the rest are only counted.
inline constexpr std::size_t kMaxPartialShown = 100;
inline constexpr std::size_t kMaxNearShown = 50;

/// A call of the master list shown for the typed callsign, marked against the log.
struct CheckedCall {
  std::string Call;
  /// The log holds a QSO with it, on any band and mode.
  bool Worked = false;
  /// Working it now, on the band and mode of the entry, is a duplicate.
  bool Dupe = false;

  bool operator==(const CheckedCall&) const = default;
};

/// The master calls that contain the typed callsign, and those one edit away from it.
struct CheckPartialView {
  std::vector<CheckedCall> Partial;
  std::size_t PartialTotal = 0;
  std::vector<CheckedCall> Near;
  std::size_t NearTotal = 0;

  bool operator==(const CheckPartialView&) const = default;
};

/// The master call list of the working directory, and a line for the operator about it.
struct MasterCallsFile {
  /// None when the file is missing, cannot be read or holds no call.
  std::optional<MasterCallList> list;
  /// What was loaded ("85460 calls in ..."), or why nothing was ("No MASTER.SCP in ...").
  std::string status;
};

/// Reads kMasterCallsFileName from the session's working directory.
MasterCallsFile LoadMasterCalls(const Session& session);

/// The calls of the list for the typed callsign (upper case), the first kMaxPartialShown
/// partial and kMaxNearShown near ones, each marked as worked and, under the session's dupe
/// rule for the band, mode and time ("hh:nn"), as dupe. Nothing for a text IsSearchText
/// refuses.
CheckPartialView CheckPartial(const Session& session, const MasterCallList& list,
                              std::string_view text, std::string_view band, std::string_view mode,
                              std::string_view time);

}  // namespace mirva
