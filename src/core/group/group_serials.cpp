#include "group/group_serials.h"

#include <algorithm>
#include <charconv>

#include "replace_file.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr std::string_view kHeader = "mirva-group-serials 1";
constexpr std::string_view kWholeGroupKey = "next";
/// More numbers than a pool ever holds: a longer list is damage.
constexpr std::size_t kMostHeld = 1000;

bool KeyChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-';
}

/// "next", or "next." and a band's name as a broker's key can hold it.
bool ValidKey(std::string_view key) {
  if (key == kWholeGroupKey)
    return true;
  if (key.size() < 6 || key.size() > 40 || key.substr(0, 5) != "next." || key.back() == '.')
    return false;
  return std::all_of(key.begin() + 5, key.end(), [](char c) { return KeyChar(c) || c == '.'; });
}

void AppendNumbers(std::string& out, std::string_view name, const std::vector<uint64_t>& numbers) {
  out += ' ';
  out += name;
  for (uint64_t n : numbers)
    out += ' ' + std::to_string(n);
}

bool ParseNumber(std::string_view text, uint64_t& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::optional<std::pair<std::string, SerialPool>> ParseLine(std::string_view line) {
  std::vector<std::string_view> words = SplitWords(line, " ");
  if (words.size() < 5 || !ValidKey(words[0]) || words[1] != "sent" || words[3] != "deck")
    return std::nullopt;
  SerialPool pool;
  if (!ParseNumber(words[2], pool.last_sent))
    return std::nullopt;
  std::vector<uint64_t>* list = &pool.deck;
  for (std::size_t i = 4; i < words.size(); ++i) {
    if (words[i] == "reserve" && list == &pool.deck) {
      list = &pool.reserve;
      continue;
    }
    uint64_t n = 0;
    if (!ParseNumber(words[i], n) || n == 0 || list->size() >= kMostHeld)
      return std::nullopt;
    list->push_back(n);
  }
  if (list != &pool.reserve)
    return std::nullopt;
  return std::make_pair(std::string(words[0]), std::move(pool));
}

void AddNumbers(std::vector<uint64_t>& list, uint64_t first, uint64_t count) {
  for (uint64_t n = first; n < first + count; ++n)
    list.push_back(n);
}

}  // namespace

std::string SerialKey(bool per_band, std::string_view band) {
  std::string key(kWholeGroupKey);
  if (!per_band)
    return key;
  key += '.';
  for (char c : Trim(band))
    key += KeyChar(c) || c == '.' ? c : '_';
  return key;
}

std::optional<uint64_t> GroupSerials::Next(const std::string& key) const {
  auto found = pools_.find(key);
  if (found == pools_.end())
    return std::nullopt;
  const SerialPool& pool = found->second;
  if (!pool.deck.empty())
    return pool.deck.front();
  if (!pool.reserve.empty())
    return pool.reserve.front();
  return std::nullopt;
}

uint64_t GroupSerials::LastSent(const std::string& key) const {
  auto found = pools_.find(key);
  return found == pools_.end() ? 0 : found->second.last_sent;
}

void GroupSerials::Spent(const std::string& key, uint64_t number) {
  SerialPool& pool = pools_[key];
  std::erase(pool.deck, number);
  std::erase(pool.reserve, number);
  pool.last_sent = std::max(pool.last_sent, number);
}

std::size_t GroupSerials::DeckNeed(const std::string& key) const {
  auto found = pools_.find(key);
  std::size_t held = found == pools_.end() ? 0 : found->second.deck.size();
  return held < kSerialDeckSize ? kSerialDeckSize - held : 0;
}

std::size_t GroupSerials::ReserveNeed(const std::string& key) const {
  auto found = pools_.find(key);
  std::size_t held = found == pools_.end() ? 0 : found->second.reserve.size();
  return held < kSerialReserveSize ? kSerialReserveSize - held : 0;
}

void GroupSerials::AddToDeck(const std::string& key, uint64_t first, uint64_t count) {
  AddNumbers(pools_[key].deck, first, count);
}

void GroupSerials::AddToReserve(const std::string& key, uint64_t first, uint64_t count) {
  AddNumbers(pools_[key].reserve, first, count);
}

uint64_t GroupSerials::Highest(const std::string& key) const {
  auto found = pools_.find(key);
  if (found == pools_.end())
    return 0;
  const SerialPool& pool = found->second;
  uint64_t highest = pool.last_sent;
  for (const std::vector<uint64_t>* list : {&pool.deck, &pool.reserve}) {
    for (uint64_t n : *list)
      highest = std::max(highest, n);
  }
  return highest;
}

std::string FormatGroupSerials(const GroupSerials& serials) {
  std::string text(kHeader);
  text += '\n';
  for (const auto& [key, pool] : serials.pools()) {
    text += key + " sent " + std::to_string(pool.last_sent);
    AppendNumbers(text, "deck", pool.deck);
    AppendNumbers(text, "reserve", pool.reserve);
    text += '\n';
  }
  return text + "end\n";
}

GroupSerials ParseGroupSerials(std::string_view text) {
  std::vector<std::string_view> lines = SplitLines(text);
  if (lines.size() < 2 || lines[0] != kHeader || lines.back() != "end")
    return {};
  GroupSerials serials;
  std::map<std::string, SerialPool> pools;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    std::optional<std::pair<std::string, SerialPool>> line = ParseLine(lines[i]);
    if (!line || pools.contains(line->first))
      return {};
    pools.insert(std::move(*line));
  }
  for (const auto& [key, pool] : pools) {
    serials.Spent(key, pool.last_sent);
    for (uint64_t n : pool.deck)
      serials.AddToDeck(key, n, 1);
    for (uint64_t n : pool.reserve)
      serials.AddToReserve(key, n, 1);
  }
  return serials;
}

GroupSerials LoadGroupSerials(FileSystem& fs, const std::string& path) {
  return ParseGroupSerials(fs.ReadFile(path).value_or(""));
}

void SaveGroupSerials(FileSystem& fs, const std::string& path, const GroupSerials& serials) {
  ReplaceFile(fs, path, FormatGroupSerials(serials), "Cannot write the group's serial numbers");
}

}  // namespace mirva
