#include "group/group_presence.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "group/group_change.h"

namespace mirva {
namespace {

constexpr std::string_view kPresenceHeader = "MIRVA-HERE 1";
constexpr std::string_view kNoteHeader = "MIRVA-NOTE 1";
constexpr std::size_t kOperatorSize = 16;
constexpr std::size_t kBandSize = 12;
constexpr std::size_t kModeSize = 4;

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

/// The text without control characters (a tab would split the message), cut to `size`.
std::string Clean(std::string_view text, std::size_t size) {
  std::string out;
  for (char c : text) {
    if (out.size() == size)
      break;
    if (!IsControl(c))
      out += c;
  }
  return out;
}

std::vector<std::string_view> Fields(std::string_view bytes) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    std::size_t tab = bytes.find('\t', start);
    fields.push_back(bytes.substr(start, tab - start));
    if (tab == std::string_view::npos)
      return fields;
    start = tab + 1;
  }
}

bool Fits(std::string_view field, std::size_t size) {
  return field.size() <= size && std::none_of(field.begin(), field.end(), IsControl);
}

constexpr std::string_view kSpotHeader = "MIRVA-SPOT 1";
constexpr std::size_t kCallSize = 15;
constexpr std::size_t kSpotterSize = 16;
constexpr std::size_t kSpotModeSize = 8;
constexpr std::size_t kSpotTimeSize = 4;
constexpr std::size_t kCommentSize = 64;
/// Above every band a cluster spots on: a larger number is not a frequency.
constexpr std::int64_t kMaxSpotHz = 300'000'000'000;

bool IsSpotCall(std::string_view call) {
  return !call.empty() && call.size() <= kCallSize &&
         std::all_of(call.begin(), call.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
         });
}

std::optional<std::int64_t> Hertz(std::string_view text) {
  std::int64_t hz = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), hz);
  if (error != std::errc() || end != text.data() + text.size() || hz <= 0 || hz > kMaxSpotHz)
    return std::nullopt;
  return hz;
}

}  // namespace

std::string EncodePresence(const GroupPresence& p) {
  return std::string(kPresenceHeader) + "\t" + p.station + "\t" + Clean(p.op, kOperatorSize) +
         "\t" + Clean(p.band, kBandSize) + "\t" + Clean(p.mode, kModeSize);
}

std::optional<GroupPresence> DecodePresence(std::string_view bytes) {
  std::vector<std::string_view> f = Fields(bytes);
  if (f.size() != 5 || f[0] != kPresenceHeader || !ValidStationName(f[1]) ||
      !Fits(f[2], kOperatorSize) || !Fits(f[3], kBandSize) || !Fits(f[4], kModeSize))
    return std::nullopt;
  return GroupPresence{std::string(f[1]), std::string(f[2]), std::string(f[3]), std::string(f[4])};
}

std::string EncodeNote(const GroupNote& note) {
  return std::string(kNoteHeader) + "\t" + note.station + "\t" + Clean(note.text, kGroupNoteSize);
}

std::optional<GroupNote> DecodeNote(std::string_view bytes) {
  std::size_t first = bytes.find('\t');
  std::size_t second = first == std::string_view::npos ? first : bytes.find('\t', first + 1);
  if (second == std::string_view::npos || bytes.substr(0, first) != kNoteHeader)
    return std::nullopt;
  std::string_view station = bytes.substr(first + 1, second - first - 1);
  std::string_view text = bytes.substr(second + 1);
  if (!ValidStationName(station) || text.empty() || !Fits(text, kGroupNoteSize))
    return std::nullopt;
  return GroupNote{std::string(station), std::string(text)};
}

std::string EncodeSpot(const GroupSpot& shared) {
  const Spot& s = shared.spot;
  return std::string(kSpotHeader) + "\t" + shared.station + "\t" + std::to_string(s.hz) + "\t" +
         Clean(s.call, kCallSize) + "\t" + Clean(s.spotter, kSpotterSize) + "\t" +
         (s.by_hand ? "hand" : "cluster") + "\t" + Clean(s.mode, kSpotModeSize) + "\t" +
         Clean(s.time, kSpotTimeSize) + "\t" + Clean(s.comment, kCommentSize);
}

std::optional<GroupSpot> DecodeSpot(std::string_view bytes) {
  std::vector<std::string_view> f = Fields(bytes);
  if (f.size() != 9 || f[0] != kSpotHeader || !ValidStationName(f[1]) || !IsSpotCall(f[3]) ||
      !Fits(f[4], kSpotterSize) || (f[5] != "hand" && f[5] != "cluster") ||
      !Fits(f[6], kSpotModeSize) || !Fits(f[7], kSpotTimeSize) || !Fits(f[8], kCommentSize))
    return std::nullopt;
  std::optional<std::int64_t> hz = Hertz(f[2]);
  if (!hz)
    return std::nullopt;
  GroupSpot shared{std::string(f[1]), {}};
  Spot& s = shared.spot;
  s.hz = *hz;
  s.call = f[3];
  s.spotter = f[4];
  s.by_hand = f[5] == "hand";
  s.skimmer = s.spotter.ends_with("-#");
  s.mode = f[6];
  s.time = f[7];
  s.comment = f[8];
  return shared;
}

}  // namespace mirva
