#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

class BandPlan;
class Session;

/// One station heard on a frequency: a cluster's or skimmer's spot, or a mark the operator
/// (or another station of the group) made by hand. Texts are Windows-1251 bytes.
struct Spot {
  std::int64_t hz = 0;
  std::string call;
  std::string spotter;  ///< the spotting station; a skimmer's ends in "-#"
  std::string comment;
  std::string time;  ///< "HHMM" as the cluster sent it; empty when it sent none
  /// The mode a skimmer's comment names ("CW", "RTTY", ...); empty when none is named.
  std::string mode;
  int snr_db = 0;  ///< a skimmer's signal-to-noise ratio; 0 when not told
  int wpm = 0;     ///< a skimmer's speed; 0 when not told
  bool skimmer = false;
  bool by_hand = false;  ///< marked by an operator, not heard from a cluster
  std::string khz;       ///< the frequency as the cluster wrote it ("14025.0"); empty by hand

  bool operator==(const Spot&) const = default;
};

/// What a cluster sent on one line: a spot, or text for the console.
struct ClusterLine {
  bool is_spot = false;
  Spot spot;         ///< when is_spot
  std::string text;  ///< the line as sent, cleaned of control characters, when not a spot
};

/// Reads one line a cluster sent (without its line end): "DX de SPOTTER:  FREQ  CALL  COMMENT
/// HHMMZ" is a spot, anything else console text. Never throws, whatever the bytes.
ClusterLine ParseClusterLine(std::string_view line);

/// What working a spotted station would bring now.
enum class SpotValue {
  kMult,  ///< a QSO that brings at least one new multiplier
  kQso,   ///< a QSO that counts, with no new multiplier
  kDupe,  ///< worked already under the contest's duplicate rule
  kOut,   ///< outside the contest's bands or modes
};

/// A spot weighed against the contest and the log.
struct SpotWorth {
  SpotValue value = SpotValue::kOut;
  std::string band;  ///< the contest's band the frequency lies in; empty when none
  std::string mode;  ///< the contest's mode the spot is in; empty when none
  /// The new multipliers' names, blank-separated ("UA 16"); empty unless kMult.
  std::string mults;
  /// The station is in the log already, on another band or mode.
  bool worked_before = false;

  bool operator==(const SpotWorth&) const = default;
};

/// The word for a value: "mult", "qso", "dupe" or "out".
std::string_view SpotValueWord(SpotValue value);

/// Weighs a spot: the band from the band plan's ranges, the mode from the skimmer's comment or
/// else the band plan's sub-bands, then the duplicate rule and the multiplier lists of the
/// session's contest, its country file and its log, as the entry window would for that call,
/// band and mode at `time` ("hh:nn").
SpotWorth WeighSpot(const Session& session, const BandPlan& plan, const Spot& spot,
                    std::string_view time);

}  // namespace mirva
