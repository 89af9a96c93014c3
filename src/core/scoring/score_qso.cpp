#include "scoring/score_qso.h"

#include "contest/rules/points.h"
#include "scoring/dupe.h"
#include "scoring/multipliers.h"
#include "text/strings.h"

namespace mirva {

namespace {
constexpr std::string_view kDupeTag = "##Dupe##";
}  // namespace

std::string NormalizeReceivedExchange(const ScoringContext& ctx, const TQSOData& qso) {
  if (!ctx.rules || !ctx.rules->normalize)
    return qso.NumberRcvd;
  return ctx.rules->normalize(qso, ctx.rule);
}

ScoredQso ScoreQso(const ScoringContext& ctx, TQSOData fields) {
  CutToFieldSizes(fields);
  fields.NumberRcvd = NormalizeReceivedExchange(ctx, fields);
  CutToFieldSizes(fields);
  return ScoreStoredQso(ctx, std::move(fields));
}

ScoredQso ScoreStoredQso(const ScoringContext& ctx, TQSOData stored) {
  ScoredQso scored;
  TQSOData& record = scored.record;
  record = std::move(stored);
  record.Points = record.Points2 = record.Points3 = 0;
  record.MultsText.clear();
  TCountry country = CountryOf(ctx.rule, record.Call);
  record.CountryPrefix = CutTo(country.Prefix, kCountryPrefixSlot.capacity);
  if (!ctx.rules)
    return scored;
  scored.dupe =
      IsDupe(ctx.rules->dupe, ctx.rule.log, record.Call, record.Band, record.Mode, record.QSOTime);
  if (!scored.dupe && ctx.rules->points) {
    PointsTriple points = ctx.rules->points(record, ctx.rule);
    points.StoreIn(record);
    scored.problem = points.Problem;
  }
  scored.mults = MarkMultipliers(ctx, record, country);
  return scored;
}

std::string MarkDupeNote(std::string_view note) {
  std::string rest(note);
  for (std::size_t at = rest.find(kDupeTag); at != std::string::npos; at = rest.find(kDupeTag))
    rest.erase(at, kDupeTag.size());
  return CutTo(Trim(std::string(kDupeTag) + " " + std::string(Trim(rest))), 127);
}

std::string_view UnmarkDupeNote(std::string_view note) {
  while (note.starts_with(kDupeTag)) {
    std::string_view rest = note.substr(kDupeTag.size());
    if (rest.empty())
      return rest;
    if (rest.front() != ' ')
      break;
    note = rest.substr(1);
  }
  return note;
}

}  // namespace mirva
