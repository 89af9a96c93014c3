#include "scoring/multipliers.h"

#include <optional>
#include <utility>

#include "reference/callsign.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr std::size_t kKeyMax = 10;   // an entry name
constexpr std::size_t kMarkMax = 10;  // the record's MultsText

/// The band and mode positions of a QSO in the contest's lists; -1 where it has none.
struct Slots {
  int band = -1;
  int mode = -1;

  bool valid() const { return band >= 0 && band < 8 && mode >= 0 && mode < 4; }
  uint8_t band_bit() const { return static_cast<uint8_t>(1u << band); }
};

Slots SlotsOf(const ContestState& state, const MarkedQso& record) {
  if (!state.Contest)
    return {};
  const TContest& contest = *state.Contest;
  return {BandIndex(contest.Bands, record.Band), ModeIndex(contest.Modes, record.Mode)};
}

/// The mode slot a list tests and sets for the QSO.
int SlotFor(const MultScope& scope, const Slots& slots) {
  return scope.slot_by_mode ? (slots.mode == 0 ? 0 : 1) : 0;
}

MultKeys KeysOf(const ScoringContext& ctx, const TQSOData& record, const TCountry& worked,
                bool query) {
  if (!ctx.rules || !ctx.rules->mult_keys)
    return {};
  MultKeys keys = ctx.rules->mult_keys(
      MultQso{record, worked, query ? std::string_view(worked.Prefix) : record.CountryPrefix,
              query},
      ctx.rule);
  if (keys.size() > 3)
    keys.resize(3);
  // The mark keeps the keys as words apart by blanks, so a key holds none.
  for (MultKey& key : keys) {
    std::erase_if(key.name, [](char c) { return static_cast<unsigned char>(c) <= ' '; });
    key.name = CutTo(key.name, kKeyMax);
  }
  return keys;
}

/// The mark's words joined by one blank; a mark with nothing new is "- -".
std::string JoinMark(const std::vector<std::string>& words) {
  std::string mark;
  for (const std::string& word : words)
    mark += (mark.empty() ? "" : " ") + word;
  std::string_view trimmed = Trim(mark);
  return trimmed.empty() || trimmed == "-" ? "- -" : std::string(trimmed);
}

}  // namespace

NewMults MarkMultipliers(const ScoringContext& ctx, TQSOData& record, const TCountry& worked) {
  const ContestState& state = ctx.contest;
  NewMults found;
  Slots slots = SlotsOf(state, record);
  MultKeys keys = slots.valid() ? KeysOf(ctx, record, worked, false) : MultKeys();
  std::vector<std::string> words;
  for (int k = 0; k < static_cast<int>(keys.size()); ++k) {
    std::string word = "-";
    const MultKey& key = keys[k];
    if (!key.name.empty()) {
      const TMultArray& list = state.MultList(k);
      int slot = SlotFor(ctx.rules->scope[k], slots);
      std::vector<uint32_t> positions = state.MultNames[k].Find(list, key.name);
      for (uint32_t p : positions) {
        if (!(list[p].Worked[slot] & slots.band_bit())) {
          found.index[k] = static_cast<int>(p);
          break;
        }
      }
      if (positions.empty() && key.append)
        found.index[k] = -2;
      if (found.index[k] != -1) {
        found.flags |= static_cast<uint8_t>(1u << k);
        word = key.name;
      }
    }
    words.push_back(word);
  }
  record.MultsText = CutTo(JoinMark(words), kMarkMax);
  return found;
}

void CommitMultipliers(ContestState& state, const ContestRules* rules, const MarkedQso& record,
                       const NewMults& mults) {
  Slots slots = SlotsOf(state, record);
  if (!slots.valid() || !rules)
    return;
  std::vector<std::string_view> words = SplitWords(record.MultsText, " ");
  for (int k = 0; k < 3; ++k) {
    if (!(mults.flags & (1u << k)))
      continue;
    TMultArray& list = state.MultList(k);
    int index = mults.index[k];
    if (index == -2) {
      AddMult(list, k < static_cast<int>(words.size()) ? words[k] : std::string_view());
      state.MultNames[k].Added(list);
      index = static_cast<int>(list.size()) - 1;
    }
    if (index < 0 || index >= static_cast<int>(list.size()))
      continue;
    std::array<uint8_t, 4>& worked = list[index].Worked;
    const MultScope& scope = rules->scope[k];
    if (scope.once) {
      worked[0] = 0xFF;
    } else if (scope.slot_by_mode) {
      worked[SlotFor(scope, slots)] |= slots.band_bit();
    } else {
      for (int m = 0; m < 4; ++m) {
        if (scope.slots & (1u << m))
          worked[m] |= slots.band_bit();
      }
    }
  }
}

void ClearMultipliers(ContestState& state) {
  for (int k = 0; k < 3; ++k) {
    for (TMultEntry& entry : state.MultList(k))
      entry.Worked = {};
  }
}

std::vector<MultMatch> QueryMultipliers(const ScoringContext& ctx, const TQSOData& typed,
                                        const TCountry& worked) {
  // The keys are those of the exchange as the save will store it; a blank one stays blank, so
  // that a zone still falls back on the country's.
  TQSOData record = typed;
  if (ctx.rules && ctx.rules->normalize && !Trim(typed.NumberRcvd).empty())
    record.NumberRcvd = ctx.rules->normalize(typed, ctx.rule);
  std::vector<MultMatch> matches;
  MultKeys keys = KeysOf(ctx, record, worked, true);
  std::optional<MultKeys> probed;
  for (int k = 0; k < static_cast<int>(keys.size()); ++k) {
    const MultKey& key = keys[k];
    MultMatch match;
    match.key = key.name;
    if (!key.name.empty()) {
      const TMultArray& list = ctx.contest.MultList(k);
      std::vector<uint32_t> positions = ctx.contest.MultNames[k].Find(list, key.name);
      if (!positions.empty())
        match.entry = list[positions.front()];
      match.uncountable = positions.empty() && !key.append;
    }
    if (match.uncountable && !Trim(record.NumberRcvd).empty()) {
      // A key made from the exchange changes when a byte is put before it; the keys are
      // computed again only for a QSO that already cannot count. A blank exchange is not yet
      // typed, so it is not told as wrong.
      if (!probed) {
        TQSOData other = record;
        other.NumberRcvd.insert(0, 1, '\xFF');
        probed = KeysOf(ctx, other, worked, true);
      }
      match.by_exchange = k >= static_cast<int>(probed->size()) || (*probed)[k].name != key.name;
    }
    matches.push_back(std::move(match));
  }
  return matches;
}

NewMults ReplayMarks(ContestState& state, const MarkedQso& record) {
  NewMults found;
  if (!SlotsOf(state, record).valid())
    return found;
  int lists = std::min(state.Contest->MultCount, 3);
  std::vector<std::string_view> words = SplitWords(record.MultsText, " ", 3);
  for (int k = 0; k < lists && k < static_cast<int>(words.size()); ++k) {
    if (words[k] == "-")
      continue;
    TMultArray& list = state.MultList(k);
    std::vector<uint32_t> positions = state.MultNames[k].Find(list, words[k]);
    if (positions.empty()) {
      AddMult(list, words[k]);
      state.MultNames[k].Added(list);
      found.index[k] = static_cast<int>(list.size()) - 1;
    } else {
      found.index[k] = static_cast<int>(positions.back());
    }
    found.flags |= static_cast<uint8_t>(1u << k);
  }
  return found;
}

}  // namespace mirva
