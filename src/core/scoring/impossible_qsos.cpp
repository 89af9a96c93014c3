#include "scoring/impossible_qsos.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "log/date_value.h"
#include "text/strings.h"

namespace mirva {

namespace {

void SortUnique(std::vector<std::string>& texts) {
  std::sort(texts.begin(), texts.end());
  texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
}

bool Has(const std::vector<std::string>& sorted, std::string_view text) {
  return std::binary_search(sorted.begin(), sorted.end(), text, std::less<>());
}

/// Not blank, and no control character (nor the byte Windows-1251 leaves unassigned).
bool IsPrintableCall(std::string_view call) {
  if (call.find_first_not_of(' ') == std::string_view::npos)
    return false;
  return std::none_of(call.begin(), call.end(), IsControlChar);
}

bool IsTimeOfDay(std::string_view time) {
  std::optional<std::string> parsed = ParseTimeOfDay(time);
  return parsed && *parsed == time;
}

}  // namespace

KnownBandsAndModes AllBandsAndModes(const RuleContext& ctx) {
  CountryDatabase no_countries;
  std::vector<TDomestic> no_domestic;
  RuleContext bare{ctx.StationCfg,  no_countries, no_domestic,
                   ctx.PointsTable, ctx.log,      ctx.use_wae};
  KnownBandsAndModes known;
  for (const ContestRules* rules : AllContestRules()) {
    std::optional<ContestSetup> setup = rules->define(bare, *rules);
    if (!setup)
      continue;
    const TContest& contest = setup->Contest;
    known.bands.insert(known.bands.end(), contest.Bands.begin(), contest.Bands.end());
    known.modes.insert(known.modes.end(), contest.Modes.begin(), contest.Modes.end());
  }
  SortUnique(known.bands);
  SortUnique(known.modes);
  return known;
}

bool CanBeQso(QsoRecordView record, const KnownBandsAndModes& known) {
  return IsPrintableCall(record.Call()) && IsCalendarDate(record.QSODate()) &&
         IsTimeOfDay(record.QSOTime()) && Has(known.bands, record.Band()) &&
         Has(known.modes, record.Mode());
}

std::vector<std::size_t> ImpossibleQsos(const QsoLog& log, const KnownBandsAndModes& known) {
  std::vector<std::size_t> impossible;
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (!CanBeQso(log.Record(i), known))
      impossible.push_back(i);
  }
  return impossible;
}

}  // namespace mirva
