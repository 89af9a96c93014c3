#include "reference/band_choice.h"

#include <algorithm>
#include <initializer_list>

#include "text/strings.h"

namespace mirva {

namespace {

/// More kHz digits than this are no frequency of a radio, and would overflow.
constexpr std::size_t kMaxWholeDigits = 9;
constexpr std::size_t kMaxDecimals = 3;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

/// Blanks in a typed number: a space, and the no-break space of Windows-1251.
bool IsBlankInNumber(char c) {
  return c == ' ' || c == '\xA0';
}

/// The contest's mode among the names, the first that the contest has; empty when none.
std::string FirstOf(std::initializer_list<std::string_view> names,
                    const std::vector<std::string>& modes) {
  for (std::string_view name : names)
    if (std::find(modes.begin(), modes.end(), name) != modes.end())
      return std::string(name);
  return {};
}

/// The contest's mode for the radio's own mode name.
std::string RadioMode(std::string_view name, const std::vector<std::string>& modes) {
  if (name == "CW" || name == "CWR")
    return FirstOf({"CW"}, modes);
  if (name == "USB" || name == "LSB")
    return FirstOf({"SSB"}, modes);
  if (name == "RTTY" || name == "RTTYR")
    return FirstOf({"RTTY", "DIGI"}, modes);
  if (name.starts_with("PKT"))
    return FirstOf({"DIGI", "RTTY"}, modes);
  if (name == "WFM")
    return FirstOf({"FM"}, modes);
  return FirstOf({name}, modes);
}

/// The contest's mode of the row's sub-band starting highest at or below `hz`: empty when the
/// contest lacks it, nothing when no sub-band starts there.
std::optional<std::string> PlanMode(const BandPlan& plan, std::size_t row, std::int64_t hz,
                                    const std::vector<std::string>& modes) {
  struct SubBand {
    std::size_t column;
    std::initializer_list<std::string_view> names;
  };
  const SubBand sub_bands[] = {
      {kPlanCwColumn, {"CW"}}, {kPlanSsbColumn, {"SSB"}}, {kPlanDigiColumn, {"DIGI", "RTTY"}}};
  const SubBand* best = nullptr;
  std::int64_t best_start = 0;
  for (const SubBand& sub_band : sub_bands) {
    std::optional<std::int64_t> start = PlanFrequency(plan.Cell(sub_band.column, row));
    if (start && *start <= hz && (!best || *start > best_start)) {
      best = &sub_band;
      best_start = *start;
    }
  }
  if (!best)
    return std::nullopt;
  return FirstOf(best->names, modes);
}

}  // namespace

std::optional<std::int64_t> PlanFrequency(std::string_view cell) {
  std::int64_t whole = 0;
  std::int64_t fraction = 0;
  std::size_t whole_digits = 0;
  std::size_t decimals = 0;
  bool point = false;
  for (char c : cell) {
    if (IsBlankInNumber(c))
      continue;
    if ((c == '.' || c == ',') && !point) {
      point = true;
    } else if (!IsDigit(c)) {
      return std::nullopt;
    } else if (point) {
      if (++decimals > kMaxDecimals)
        return std::nullopt;
      fraction = fraction * 10 + (c - '0');
    } else {
      if (++whole_digits > kMaxWholeDigits)
        return std::nullopt;
      whole = whole * 10 + (c - '0');
    }
  }
  if (whole_digits + decimals == 0)
    return std::nullopt;
  for (std::size_t d = decimals; d < kMaxDecimals; ++d)
    fraction *= 10;
  return whole * 1000 + fraction;
}

BandModeChoice ChooseBandMode(const BandPlan& plan, const RadioReading& reading,
                              const std::vector<std::string>& bands,
                              const std::vector<std::string>& modes) {
  BandModeChoice choice;
  std::optional<std::string> plan_mode;
  // Row 0 holds the column titles.
  for (std::size_t row = 1; row < plan.Rows(); ++row) {
    std::optional<std::int64_t> start = PlanFrequency(plan.Cell(kPlanStartColumn, row));
    std::optional<std::int64_t> end = PlanFrequency(plan.Cell(kPlanEndColumn, row));
    if (!start || !end || reading.hz < *start || reading.hz > *end)
      continue;
    std::string band(Trim(plan.Cell(kPlanBandColumn, row)));
    if (std::find(bands.begin(), bands.end(), band) != bands.end())
      choice.band = band;
    plan_mode = PlanMode(plan, row, reading.hz, modes);
    break;
  }
  choice.mode = plan_mode ? *plan_mode : RadioMode(reading.mode, modes);
  return choice;
}

}  // namespace mirva
