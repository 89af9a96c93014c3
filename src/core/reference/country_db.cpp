#include "reference/country_db.h"

#include <algorithm>
#include <utility>

#include "text/strings.h"

namespace mirva {

namespace {

constexpr std::size_t kMaxWordField = 10;  // any field of a prefix entry
constexpr std::size_t kMaxZone = 4;        // a zone as a lookup gives it

/// Columns first to last (1-based, inclusive) of a line; a shorter line gives a shorter text.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t last) {
  if (line.size() < first)
    return {};
  return line.substr(first - 1, last - first + 1);
}

/// The text without its last character, the ":" that closes a header field.
std::string_view DropLast(std::string_view text) {
  if (!text.empty())
    text.remove_suffix(1);
  return text;
}

TCountry ParseHeader(std::string_view line) {
  TCountry country;
  country.Name = DropLast(Trim(Columns(line, 1, 25)));
  country.CQZone = Columns(line, 27, 28);
  country.ITUZone = Columns(line, 32, 33);
  country.Continent = Columns(line, 37, 38);
  country.Latitude = CutTo(Trim(Columns(line, 41, 47)), 6);
  country.Longitude = CutTo(Trim(Columns(line, 51, 57)), 6);
  country.UTCOffset = Trim(Columns(line, 62, 66));
  std::string_view prefix = DropLast(Trim(Columns(line, 69, 75)));
  if (!prefix.empty() && prefix.front() == '*') {
    country.WAE = true;
    prefix.remove_prefix(1);
  }
  country.Prefix = prefix;
  return country;
}

/// Moves a zone written between `open` and `close` out of the prefix into `zone`, padded with
/// "0" to 2 characters and cut to its field. An `open` with no `close` after it is no override
/// and stays in place.
void TakeOverride(std::string& prefix, char open, char close, std::string& zone) {
  std::size_t start = prefix.find(open);
  if (start == std::string::npos)
    return;
  std::size_t end = prefix.find(close, start + 1);
  if (end == std::string::npos)
    return;
  std::string_view inner = std::string_view(prefix).substr(start + 1, end - start - 1);
  zone = CutTo(PadLeft(inner, 2, '0'), kMaxWordField);
  prefix.erase(start, end - start + 1);
}

// The overrides are taken out of the whole word before the prefix is cut to its field:
// cutting first would lose the zones of words such as "UA0(19)[33]" and leave an open "["
// that no callsign ever matches.
TPrefixEntry ParseWord(std::string_view word, const TCountry& country) {
  TPrefixEntry entry{std::string(word), country.Prefix, country.ITUZone, country.CQZone};
  TakeOverride(entry.Prefix, '(', ')', entry.CQZone);
  TakeOverride(entry.Prefix, '[', ']', entry.ITUZone);
  entry.Prefix.resize(std::min(entry.Prefix.size(), kMaxWordField));
  return entry;
}

/// Appends an entry for every word of a prefix line; words are split at "," and ";" only.
void AppendWords(std::string_view line, const TCountry& country, std::vector<TPrefixEntry>& out) {
  for (std::string_view word : SplitWords(Trim(line), ",;"))
    out.push_back(ParseWord(word, country));
}

}  // namespace

void CountryDatabase::Load(std::string_view text) {
  Clear();
  for (std::string_view line : SplitLines(text)) {
    if (line.empty())
      continue;
    if (line.front() != ' ')
      countries_.push_back(ParseHeader(line));
    else if (!countries_.empty())
      AppendWords(line, countries_.back(), prefixes_);
  }
  BuildIndex();
}

void CountryDatabase::Clear() {
  countries_.clear();
  prefixes_.clear();
  index_.clear();
  longest_prefix_ = 0;
}

void CountryDatabase::SetCountryName(std::size_t index, std::string name) {
  countries_.at(index).Name = std::move(name);
}

// Ties every entry once to the first country of its primary prefix and keeps, per prefix
// text, the entries a file-order scan would stop at, so a lookup is one probe per length.
void CountryDatabase::BuildIndex() {
  std::unordered_map<std::string_view, std::size_t> country_of;
  for (std::size_t i = 0; i < countries_.size(); ++i)
    country_of.try_emplace(countries_[i].Prefix, i);

  index_.reserve(prefixes_.size());
  for (std::size_t i = 0; i < prefixes_.size(); ++i) {
    const TPrefixEntry& entry = prefixes_[i];
    auto country = country_of.find(entry.Primary);
    if (country == country_of.end() || entry.Prefix.empty())
      continue;
    Hit hit{i, country->second};
    Candidates& candidates = index_.try_emplace(entry.Prefix).first->second;
    if (candidates.first.entry == kNone)
      candidates.first = hit;
    if (candidates.first_non_wae.entry == kNone && !countries_[hit.country].WAE)
      candidates.first_non_wae = hit;
    longest_prefix_ = std::max(longest_prefix_, entry.Prefix.size());
  }
}

bool CountryDatabase::FindCountry(std::string_view call, TCountry& rec, bool allow_wae) const {
  for (std::size_t length = std::min(call.size(), longest_prefix_); length > 0; --length) {
    auto found = index_.find(call.substr(0, length));
    if (found == index_.end())
      continue;
    const Hit& hit = allow_wae ? found->second.first : found->second.first_non_wae;
    if (hit.entry == kNone)
      continue;
    const TPrefixEntry& entry = prefixes_[hit.entry];
    rec = countries_[hit.country];
    rec.CQZone = CutTo(entry.CQZone, kMaxZone);
    rec.ITUZone = CutTo(entry.ITUZone, kMaxZone);
    return true;
  }
  return false;
}

CountryText CheckCountryText(std::string_view text, const CountryDatabase& loaded) {
  if (loaded.PrefixList().empty())
    return CountryText::kNoPrefixes;
  // Blanks, line breaks and the end-of-file mark 0x1A of old DOS copies may follow the ";",
  // which must close a prefix line.
  std::size_t last = text.find_last_not_of(" \t\r\n\x1a");
  if (last == std::string_view::npos || text[last] != ';')
    return CountryText::kCutShort;
  std::size_t line = text.find_last_of("\r\n", last);
  line = line == std::string_view::npos ? 0 : line + 1;
  return text[line] == ' ' ? CountryText::kUsable : CountryText::kCutShort;
}

}  // namespace mirva
