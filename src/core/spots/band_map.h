#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spots/spot.h"

namespace mirva {

class BandPlan;

/// A spot as the band map holds it: its worth, when it arrived (milliseconds of a steady
/// clock the caller keeps) and where it came from (a cluster's name, "hand", a station of the
/// group).
struct HeldSpot {
  Spot spot;
  SpotWorth worth;
  std::int64_t arrived_ms = 0;
  std::string source;
  /// The log or contest changed since the worth was weighed.
  bool outdated = false;
};

/// Which held spots the map shows.
struct BandMapFilter {
  bool all_bands = false;  ///< else the entry's band only
  bool own_mode = false;   ///< the entry's mode only; a spot of no known mode passes
  bool hide_dupes = false;
  bool mults_only = false;
  bool out_of_band = true;  ///< spots of no worth shown, marked; hidden when off
};

/// Weighs a spot anew against the contest and the log.
using SpotWeigher = std::function<SpotWorth(const Spot&)>;

/// The spots heard lately, at most one per call and band.
class BandMap {
 public:
  static constexpr std::int64_t kDefaultMaxAgeMs = 30 * 60 * 1000;
  static constexpr std::size_t kDefaultCap = 5000;

  explicit BandMap(std::int64_t max_age_ms = kDefaultMaxAgeMs, std::size_t cap = kDefaultCap)
      : max_age_ms_(max_age_ms), cap_(cap) {}

  void SetMaxAge(std::int64_t max_age_ms) { max_age_ms_ = max_age_ms; }
  std::int64_t MaxAge() const { return max_age_ms_; }

  /// Takes the spot as the newest; it replaces a spot of the same call on the same band, and
  /// past the cap the oldest spot goes.
  void Add(HeldSpot held);
  /// Drops the spots older than the age limit at `now_ms`; true when any went.
  bool Expire(std::int64_t now_ms);
  /// Every held spot's worth is to be weighed again (the log or the contest changed).
  void Outdate();
  /// A QSO with `call` was added to the log: only that call's spots and the new multipliers can
  /// be worth less now, so only they are to be weighed again.
  void OutdateAfterQso(std::string_view call);
  /// Weighs again the outdated spots of the band (of every band when empty); the others keep
  /// their worth, so this is cheap when nothing changed. The count weighed.
  std::size_t Reweigh(const SpotWeigher& weigh, std::string_view band = {});

  /// The spots the filter lets through for the entry's band and mode, by frequency.
  std::vector<const HeldSpot*> Visible(const BandMapFilter& filter, std::string_view band,
                                       std::string_view mode) const;
  /// The spot that arrived last; none when the map is empty.
  const HeldSpot* Newest() const { return spots_.empty() ? nullptr : &spots_.back(); }
  const std::vector<HeldSpot>& Spots() const { return spots_; }  ///< oldest first
  std::size_t Size() const { return spots_.size(); }

 private:
  std::int64_t max_age_ms_;
  std::size_t cap_;
  std::vector<HeldSpot> spots_;  ///< in the order they arrived
};

/// Spots closer than this to a frequency are taken as on it.
inline constexpr std::int64_t kSameFrequencyHz = 50;

/// Among spots sorted by frequency, the nearest one above `hz` (below it unless `up`), a spot
/// within kSameFrequencyHz of it skipped; none when there is no such spot.
const HeldSpot* NextSpot(const std::vector<const HeldSpot*>& by_frequency, std::int64_t hz,
                         bool up);

/// A band's frequencies, ends included.
struct HzRange {
  std::int64_t low = 0;
  std::int64_t high = 0;
};

/// The band's range from the band plan's start and end, else from the usual amateur band
/// edges for the contests' band names ("160" ... "10", "6", "2"); none when neither knows it.
std::optional<HzRange> BandEdges(const BandPlan& plan, std::string_view band);

/// Where labels `height` tall go on a scale that wants them at `wanted` (ascending): each at
/// its wanted place or, when that would overlap the label above it, just below that label.
std::vector<int> StackLabels(const std::vector<int>& wanted, int height);

}  // namespace mirva
