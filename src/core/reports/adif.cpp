#include "reports/adif.h"

#include "file_system.h"
#include "log/date_value.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr char kLineEnd[] = "\r\n";

/// The "hhmm" of a stored "hh:nn"; whatever part a shorter text has.
std::string TimeDigits(const std::string& time) {
  std::string digits = time.substr(0, 2);
  if (time.size() > 3)
    digits += time.substr(3, 2);
  return digits;
}

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

}  // namespace

bool HasAdifFields(const TQSOData& qso) {
  return !IsBlank(FormatDate(qso.QSODate, "yyyymmdd")) && !IsBlank(TimeDigits(qso.QSOTime)) &&
         !IsBlank(qso.Call) && !IsBlank(qso.Band) && !IsBlank(qso.Mode);
}

std::string AdifText(const TQSODataArr& log) {
  std::string out = "ADIF file created by Mirva contest mode";
  out += kLineEnd;
  out += "<EOH>";
  out += kLineEnd;
  for (const TQSOData& q : log) {
    if (!HasAdifFields(q))
      continue;
    AddField(out, "QSO_DATE", FormatDate(q.QSODate, "yyyymmdd"));
    AddField(out, "TIME_ON", TimeDigits(q.QSOTime));
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

void ExportAdif(FileSystem& fs, const std::string& path, const TQSODataArr& log) {
  fs.WriteFile(path, AdifText(log));
}

}  // namespace mirva
