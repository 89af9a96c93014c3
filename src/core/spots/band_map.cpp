#include "spots/band_map.h"

#include <algorithm>
#include <iterator>

#include "reference/band_choice.h"
#include "reference/band_plan.h"
#include "reference/usual_bands.h"

namespace mirva {

namespace {

bool SameCallAndBand(const HeldSpot& a, const HeldSpot& b) {
  return a.spot.call == b.spot.call && a.worth.band == b.worth.band;
}

bool Passes(const HeldSpot& held, const BandMapFilter& filter, std::string_view band,
            std::string_view mode) {
  const SpotWorth& worth = held.worth;
  if (!filter.all_bands && worth.band != band)
    return false;
  if (filter.own_mode && !worth.mode.empty() && worth.mode != mode)
    return false;
  if (filter.hide_dupes && worth.value == SpotValue::kDupe)
    return false;
  if (filter.mults_only && worth.value != SpotValue::kMult)
    return false;
  return filter.out_of_band || worth.value != SpotValue::kOut;
}

}  // namespace

void BandMap::Add(HeldSpot held) {
  auto same = std::find_if(spots_.begin(), spots_.end(),
                           [&](const HeldSpot& old) { return SameCallAndBand(old, held); });
  if (same != spots_.end())
    spots_.erase(same);
  spots_.push_back(std::move(held));
  if (spots_.size() > cap_)
    spots_.erase(spots_.begin(),
                 spots_.begin() + static_cast<std::ptrdiff_t>(spots_.size() - cap_));
}

bool BandMap::Expire(std::int64_t now_ms) {
  return std::erase_if(spots_, [&](const HeldSpot& held) {
           return now_ms - held.arrived_ms > max_age_ms_;
         }) > 0;
}

void BandMap::Outdate() {
  for (HeldSpot& held : spots_)
    held.outdated = true;
}

void BandMap::OutdateAfterQso(std::string_view call) {
  for (HeldSpot& held : spots_) {
    if (held.spot.call == call || held.worth.value == SpotValue::kMult)
      held.outdated = true;
  }
}

std::size_t BandMap::Reweigh(const SpotWeigher& weigh, std::string_view band) {
  std::size_t weighed = 0;
  for (HeldSpot& held : spots_) {
    if (!held.outdated || (!band.empty() && held.worth.band != band))
      continue;
    held.worth = weigh(held.spot);
    held.outdated = false;
    ++weighed;
  }
  return weighed;
}

std::vector<const HeldSpot*> BandMap::Visible(const BandMapFilter& filter, std::string_view band,
                                              std::string_view mode) const {
  std::vector<const HeldSpot*> shown;
  for (const HeldSpot& held : spots_)
    if (Passes(held, filter, band, mode))
      shown.push_back(&held);
  std::stable_sort(shown.begin(), shown.end(),
                   [](const HeldSpot* a, const HeldSpot* b) { return a->spot.hz < b->spot.hz; });
  return shown;
}

const HeldSpot* NextSpot(const std::vector<const HeldSpot*>& by_frequency, std::int64_t hz,
                         bool up) {
  if (up) {
    auto above =
        std::upper_bound(by_frequency.begin(), by_frequency.end(), hz + kSameFrequencyHz,
                         [](std::int64_t at, const HeldSpot* held) { return at < held->spot.hz; });
    return above == by_frequency.end() ? nullptr : *above;
  }
  auto below =
      std::lower_bound(by_frequency.begin(), by_frequency.end(), hz - kSameFrequencyHz,
                       [](const HeldSpot* held, std::int64_t at) { return held->spot.hz < at; });
  return below == by_frequency.begin() ? nullptr : *std::prev(below);
}

std::optional<HzRange> BandEdges(const BandPlan& plan, std::string_view band) {
  for (std::size_t row = 0; row < plan.Rows(); ++row) {
    if (plan.Cell(kPlanBandColumn, row) != band)
      continue;
    std::optional<std::int64_t> low = PlanFrequency(plan.Cell(kPlanStartColumn, row));
    std::optional<std::int64_t> high = PlanFrequency(plan.Cell(kPlanEndColumn, row));
    if (low && high && *low < *high)
      return HzRange{*low, *high};
  }
  if (const UsualBand* usual = FindUsualBand(band))
    return HzRange{usual->low, usual->high};
  return std::nullopt;
}

std::vector<int> StackLabels(const std::vector<int>& wanted, int height) {
  std::vector<int> placed;
  placed.reserve(wanted.size());
  for (int y : wanted)
    placed.push_back(placed.empty() ? y : std::max(y, placed.back() + height));
  return placed;
}

}  // namespace mirva
