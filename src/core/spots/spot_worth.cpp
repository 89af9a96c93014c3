#include <optional>

#include "reference/band_choice.h"
#include "scoring/score_qso.h"
#include "session/session.h"
#include "spots/spot.h"
#include "text/strings.h"

namespace mirva {

namespace {

/// The radio's name of the mode a skimmer named, for ChooseBandMode to map onto the contest's
/// modes; nothing for a mode it does not know.
std::optional<std::string_view> RadioModeOf(std::string_view mode) {
  if (mode == "CW" || mode == "RTTY")
    return mode;
  if (mode == "SSB")
    return "USB";
  if (mode.empty())
    return std::nullopt;
  return "PKTUSB";  // PSK, FT8, FT4 and the other data modes
}

/// The contest's band and mode of the spot: the band from the band plan's ranges, the mode
/// from the skimmer's comment, else from the band plan's sub-bands.
BandModeChoice SpotBandMode(const BandPlan& plan, const Spot& spot, const TContest& contest) {
  BandModeChoice choice = ChooseBandMode(plan, {spot.hz, "", ""}, contest.Bands, contest.Modes);
  if (std::optional<std::string_view> radio = RadioModeOf(spot.mode)) {
    static const BandPlan kNoPlan(0, 0);
    choice.mode =
        ChooseBandMode(kNoPlan, {spot.hz, std::string(*radio), ""}, contest.Bands, contest.Modes)
            .mode;
  }
  return choice;
}

}  // namespace

std::string_view SpotValueWord(SpotValue value) {
  switch (value) {
    case SpotValue::kMult:
      return "mult";
    case SpotValue::kQso:
      return "qso";
    case SpotValue::kDupe:
      return "dupe";
    case SpotValue::kOut:
      break;
  }
  return "out";
}

SpotWorth WeighSpot(const Session& session, const BandPlan& plan, const Spot& spot,
                    std::string_view time) {
  SpotWorth worth;
  if (!session.HasContest())
    return worth;
  worth.worked_before = !session.log().QsosOfCall(spot.call).empty();
  BandModeChoice choice = SpotBandMode(plan, spot, session.Contest());
  worth.band = choice.band;
  worth.mode = choice.mode;
  if (choice.band.empty() || choice.mode.empty())
    return worth;
  if (session.IsDupe(spot.call, choice.band, choice.mode, time)) {
    worth.value = SpotValue::kDupe;
    return worth;
  }
  // What the entry window would store for the call: the save's own marking decides which
  // multipliers are new.
  TQSOData typed;
  typed.QSOTime = time;
  typed.Call = spot.call;
  typed.Band = choice.band;
  typed.Mode = choice.mode;
  typed.NumberRcvd = session.PredictReceivedExchange(spot.call);
  ScoredQso would = ScoreQso(session.Scoring(), std::move(typed));
  std::vector<std::string_view> keys = SplitWords(would.record.MultsText, " ");
  for (std::size_t k = 0; k < keys.size() && k < 3; ++k) {
    if (would.mults.flags & (1u << k))
      worth.mults += (worth.mults.empty() ? "" : " ") + std::string(keys[k]);
  }
  worth.value = worth.mults.empty() ? SpotValue::kQso : SpotValue::kMult;
  return worth;
}

}  // namespace mirva
