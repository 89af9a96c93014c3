#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

inline constexpr char kMasterCallsFileName[] = "MASTER.SCP";
/// The longest text taken as a callsign of the master list.
inline constexpr std::size_t kMaxMasterCallLength = 15;

/// The calls of one length, back to back without separators, and their positions in the list.
struct CallLengthBucket {
  std::string calls;
  std::vector<uint32_t> ids;
};

/// A master list of the callsigns active in contests: upper case, each once, in the order of
/// its file. The calls are packed so that a search scans one buffer.
struct MasterCallList {
  /// Every call followed by '\n', in list order.
  std::string packed;
  /// Where call i starts in packed; a last entry marks the end.
  std::vector<uint32_t> starts{0};
  /// Indexed by call length.
  std::vector<CallLengthBucket> by_length;
  /// Lines that were neither a call, a comment nor blank, and the first of them (from 1).
  std::size_t skipped_lines = 0;
  std::size_t first_skipped_line = 0;

  std::size_t size() const { return starts.size() - 1; }
  std::string_view Call(std::size_t id) const {
    return std::string_view(packed).substr(starts[id], starts[id + 1] - starts[id] - 1);
  }
};

/// Whether the text could be a callsign: 3 to kMaxMasterCallLength characters of A-Z, 0-9
/// and '/', with at least one letter and one digit, and '/' only between other characters.
bool IsPlausibleCall(std::string_view text);

/// The calls of a master call file. Lines starting with '#' are comments; a call may have
/// blanks around it and lower case; lines end in LF, CR LF or CR. Any other line is skipped
/// and counted, and a call that repeats an earlier one is left out.
MasterCallList ParseMasterCalls(std::string_view text);

}  // namespace mirva
