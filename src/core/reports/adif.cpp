#include "reports/adif.h"

#include <optional>

#include "log/date_value.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr char kLineEnd[] = "\r\n";

bool IsBlank(const std::string& text) {
  return Trim(text).empty();
}

/// One field with the length of its value in bytes, which is also its length in
/// characters since the texts are Windows-1251; the value may hold any byte.
void AddField(std::string& out, const char* tag, const std::string& value) {
  out += '<';
  out += tag;
  out += ':';
  out += std::to_string(value.size());
  out += '>';
  out += value;
  out += ' ';
}

/// The record's date and time digits as ADIF writes them.
struct DateAndTime {
  std::string date;
  std::string time;
};

/// The date and time digits of a QSO that has every value an ADIF record needs; nothing for
/// any other QSO.
std::optional<DateAndTime> RequiredValues(const TQSOData& qso) {
  DateAndTime when{FormatDate(qso.QSODate, "yyyymmdd"), HourMinuteDigits(qso.QSOTime)};
  if (IsBlank(when.date) || IsBlank(when.time) || IsBlank(qso.Call) || IsBlank(qso.Band) ||
      IsBlank(qso.Mode))
    return std::nullopt;
  return when;
}

}  // namespace

bool HasAdifFields(const TQSOData& qso) {
  return RequiredValues(qso).has_value();
}

namespace {

template <typename Log>
std::string AdifTextOf(const Log& log) {
  std::string out = "ADIF file created by Mirva contest mode";
  out += kLineEnd;
  out += "<EOH>";
  out += kLineEnd;
  for (const TQSOData& q : log) {
    std::optional<DateAndTime> when = RequiredValues(q);
    if (!when)
      continue;
    AddField(out, "QSO_DATE", when->date);
    AddField(out, "TIME_ON", when->time);
    AddField(out, "CALL", q.Call);
    AddField(out, "BAND", q.Band);
    AddField(out, "MODE", q.Mode);
    if (!IsBlank(q.RprtSent))
      AddField(out, "RST_SENT", q.RprtSent);
    if (!IsBlank(q.RprtRcvd))
      AddField(out, "RST_RCVD", q.RprtRcvd);
    AddField(out, "COMMENT",
             "Sent #" + q.RprtSent + " " + q.NumberSent + " Rcvd #" + q.RprtRcvd + " " +
                 q.NumberRcvd + " " + q.Note);
    out += "<EOR>";
    out += kLineEnd;
  }
  return out;
}

}  // namespace

std::string AdifText(const TQSODataArr& log) {
  return AdifTextOf(log);
}

std::string AdifText(const QsoLog& log) {
  return AdifTextOf(log);
}

}  // namespace mirva
