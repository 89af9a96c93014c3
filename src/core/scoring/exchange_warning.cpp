#include "scoring/exchange_warning.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "text/strings.h"

namespace mirva {

namespace {

bool IsDigits(std::string_view text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

/// " (01 to 40)" for a list of numbers, so that the operator sees what would count; empty for
/// any other list.
std::string NumberRange(const TMultArray& list) {
  if (list.empty() ||
      !std::ranges::all_of(list, [](const TMultEntry& e) { return IsDigits(e.Name); }))
    return {};
  return " (" + list.front().Name + " to " + list.back().Name + ")";
}

/// Names list k by its caption when the contest gives one caption line per list.
std::string NotInList(const ContestState& contest, std::size_t k, std::string_view rcvd) {
  std::vector<std::string_view> captions = SplitLines(contest.MultCaptions);
  int lists = contest.Contest ? contest.Contest->MultCount : 0;
  if (static_cast<int>(captions.size()) != lists || k >= captions.size())
    return ShortQuote(rcvd) + " is in no list of this contest: it counts no multiplier";
  return ShortQuote(rcvd) + " is not one of this contest's " + std::string(captions[k]) +
         NumberRange(contest.MultList(static_cast<int>(k))) + ": it counts no multiplier";
}

}  // namespace

std::string ExchangeWarning(const ScoringContext& ctx, const TQSOData& record,
                            std::span<const MultMatch> matches) {
  std::string_view rcvd = Trim(record.NumberRcvd);
  if (rcvd.empty())
    return {};
  for (std::size_t k = 0; k < matches.size(); ++k) {
    if (matches[k].uncountable && matches[k].by_exchange)
      return NotInList(ctx.contest, k, rcvd);
  }
  if (ctx.rules && ctx.rules->check_exchange)
    return ctx.rules->check_exchange(record, ctx.rule);
  return {};
}

}  // namespace mirva
