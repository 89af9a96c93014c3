#include "log/cabrillo_qso.h"

#include <charconv>
#include <vector>

#include "log/date_value.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr std::size_t kFields = 10;  // without the transmitter

struct BandEdges {
  double low;
  double high;
  const char* band;
};

constexpr BandEdges kBands[] = {
    {1800, 2000, "160"},  {3500, 4000, "80"},   {7000, 7300, "40"},
    {14000, 14350, "20"}, {21000, 21450, "15"}, {28000, 29700, "10"},
};

constexpr std::pair<std::string_view, const char*> kModes[] = {
    {"CW", "CW"}, {"PH", "SSB"}, {"RY", "RTTY"}, {"DG", "DIGI"}, {"FM", "FM"},
};

/// A frequency of digits with at most one decimal point, in kHz.
std::optional<double> Kilohertz(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos)
    return std::nullopt;
  double value = 0;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

CabrilloLine Error(std::string text) {
  return {std::nullopt, std::move(text)};
}

std::string Quoted(std::string_view text) {
  return "'" + Visible(Utf8ToCp1251(text)) + "'";
}

bool StartsWithTag(std::string_view text, std::string_view tag) {
  return UpperCase(text.substr(0, tag.size())) == tag;
}

}  // namespace

CabrilloTag TagOf(std::string_view line) {
  constexpr std::pair<std::string_view, CabrilloTag> kTags[] = {
      {"QSO:", CabrilloTag::kQso},
      {"X-QSO:", CabrilloTag::kExcludedQso},
      {"START-OF-LOG:", CabrilloTag::kStartOfLog},
      {"END-OF-LOG:", CabrilloTag::kEndOfLog},
  };
  std::string_view text = Trim(line);
  for (const auto& [tag, kind] : kTags) {
    if (StartsWithTag(text, tag))
      return kind;
  }
  return CabrilloTag::kOther;
}

CabrilloLine ReadCabrilloLine(std::string_view line) {
  std::string_view text = Trim(line);
  if (!StartsWithTag(text, "QSO:"))
    return {};
  std::vector<std::string_view> f = SplitWords(text.substr(4), " \t");
  if (f.size() < kFields)
    return Error("too few fields: " + std::to_string(f.size()) + " where a QSO line has 10 or 11");
  if (f.size() > kFields + 1)
    return Error("too many fields: " + std::to_string(f.size()) + " where a QSO line has 10 or 11");

  CabrilloQso qso;
  std::optional<double> khz = Kilohertz(f[0]);
  if (!khz)
    return Error("frequency " + Quoted(f[0]) + " is not a number of kHz");
  for (const BandEdges& edges : kBands) {
    if (*khz >= edges.low && *khz <= edges.high)
      qso.Band = edges.band;
  }
  if (qso.Band.empty())
    return Error("frequency " + Quoted(f[0]) + " kHz is in none of the bands 160 to 10 m");
  for (const auto& [code, mode] : kModes) {
    if (UpperCase(f[1]) == code)
      qso.Mode = mode;
  }
  if (qso.Mode.empty())
    return Error("unknown mode " + Quoted(f[1]) + " (CW, PH, RY, DG or FM)");
  std::optional<double> date = ParseIsoDate(f[2]);
  if (!date)
    return Error("date " + Quoted(f[2]) + " is not YYYY-MM-DD");
  qso.QSODate = *date;
  std::optional<std::string> time = f[3].size() == 4 ? ParseTimeOfDay(f[3]) : std::nullopt;
  if (!time)
    return Error("time " + Quoted(f[3]) + " is not HHMM");
  qso.QSOTime = *time;
  qso.OwnCall = f[4];
  qso.RprtSent = f[5];
  qso.NumberSent = f[6];
  qso.Call = f[7];
  qso.RprtRcvd = f[8];
  qso.NumberRcvd = f[9];
  if (f.size() > kFields)
    qso.Transmitter = f[10];
  return {std::move(qso), {}};
}

}  // namespace mirva
