#include "reports/adif_standard.h"

#include <algorithm>
#include <cstdio>

#include "log/date_value.h"
#include "reports/adif.h"
#include "reports/contest_ids.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr char kLineEnd[] = "\r\n";

std::size_t CharacterCount(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

/// One field from UTF-8 text; nothing for a blank value.
void AddUtf8Field(std::string& out, std::string_view tag, std::string_view value) {
  value = Trim(value);
  if (value.empty())
    return;
  out += '<';
  out += tag;
  out += ':';
  out += std::to_string(CharacterCount(value));
  out += '>';
  out += value;
  out += ' ';
}

/// One field from Windows-1251 text; nothing for a blank value.
void AddField(std::string& out, std::string_view tag, std::string_view value) {
  AddUtf8Field(out, tag, Cp1251ToUtf8(Trim(value)));
}

bool IsNumber(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

/// STX or SRX for a number, the _STRING field for any other exchange.
void AddExchange(std::string& out, std::string_view tag, std::string_view value) {
  value = Trim(value);
  if (IsNumber(value))
    AddField(out, tag, value);
  else
    AddField(out, std::string(tag) + "_STRING", value);
}

struct AdifMode {
  std::string_view mode;
  std::string_view submode;
};

/// The ADIF mode of a log's mode. SSB is on the lower sideband below 10 MHz and on the upper
/// one above, as everyone keeps it; a mode ADIF has no value for (DIGI) gives nothing.
AdifMode ModeOf(std::string_view mode, std::string_view band) {
  if (mode == "SSB") {
    if (band == "160" || band == "80" || band == "40")
      return {"SSB", "LSB"};
    if (!AdifBand(band).empty())
      return {"SSB", "USB"};
    return {"SSB", ""};
  }
  for (std::string_view same : {"CW", "RTTY", "FM", "SSTV"}) {
    if (mode == same)
      return {same, ""};
  }
  return {};
}

std::string Timestamp(std::chrono::sys_seconds at) {
  using namespace std::chrono;
  sys_days day = floor<days>(at);
  year_month_day date(day);
  hh_mm_ss time(at - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02u %02d%02d%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

void AddRecord(std::string& out, const TQSOData& q, std::string_view contest_id,
               std::string_view station_call) {
  AddField(out, "CALL", q.Call);
  AddField(out, "QSO_DATE", FormatDate(q.QSODate, "yyyymmdd"));
  AddField(out, "TIME_ON", HourMinuteDigits(q.QSOTime));
  AddField(out, "BAND", AdifBand(q.Band));
  if (q.Band == "SAT")
    AddField(out, "PROP_MODE", "SAT");
  AdifMode mode = ModeOf(q.Mode, q.Band);
  AddField(out, "MODE", mode.mode);
  AddField(out, "SUBMODE", mode.submode);
  AddField(out, "CONTEST_ID", contest_id);
  AddField(out, "RST_SENT", q.RprtSent);
  AddField(out, "RST_RCVD", q.RprtRcvd);
  AddExchange(out, "STX", q.NumberSent);
  AddExchange(out, "SRX", q.NumberRcvd);
  AddField(out, "STATION_CALLSIGN", station_call);
  AddField(out, "COMMENT", q.Note);
  out += "<EOR>";
  out += kLineEnd;
}

}  // namespace

std::string_view AdifBand(std::string_view band) {
  static constexpr std::string_view kBands[][2] = {
      {"160", "160m"}, {"80", "80m"}, {"60", "60m"}, {"40", "40m"}, {"30", "30m"},
      {"20", "20m"},   {"17", "17m"}, {"15", "15m"}, {"12", "12m"}, {"10", "10m"},
      {"6", "6m"},     {"4", "4m"},   {"2", "2m"},
  };
  for (const auto& [from, to] : kBands) {
    if (band == from)
      return to;
  }
  return "";
}

namespace {

template <typename Log>
std::string StandardAdifTextOf(const Log& log, const StandardAdifSource& source) {
  std::string out = "ADIF export of Mirva contest module";
  out += kLineEnd;
  AddUtf8Field(out, "ADIF_VER", "3.1.4");
  AddUtf8Field(out, "PROGRAMID", "Mirva contest module");
  AddUtf8Field(out, "PROGRAMVERSION", source.program_version);
  AddUtf8Field(out, "CREATED_TIMESTAMP", Timestamp(source.created));
  out += "<EOH>";
  out += kLineEnd;
  std::string_view contest_id = StandardIdsOf(source.contest_name).adif;
  for (const TQSOData& q : log) {
    if (HasAdifFields(q))
      AddRecord(out, q, contest_id, source.station_call);
  }
  return out;
}

}  // namespace

std::string StandardAdifText(const TQSODataArr& log, const StandardAdifSource& source) {
  return StandardAdifTextOf(log, source);
}

std::string StandardAdifText(const QsoLog& log, const StandardAdifSource& source) {
  return StandardAdifTextOf(log, source);
}

}  // namespace mirva
