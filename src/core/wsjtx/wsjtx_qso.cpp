#include "wsjtx/wsjtx_qso.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "error.h"
#include "log/date_value.h"
#include "reference/band_choice.h"
#include "reference/usual_bands.h"
#include "scoring/exchange_warning.h"
#include "scoring/multipliers.h"
#include "scoring/totals.h"
#include "session/session.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

std::string Join(const std::vector<std::string>& words, std::string_view separator) {
  std::string out;
  for (const std::string& word : words)
    out += (out.empty() ? "" : std::string(separator)) + word;
  return out;
}

bool IsReport(std::string_view word) {
  return word.size() >= 2 && word.size() <= 3 && word[0] >= '1' && word[0] <= '5' &&
         std::all_of(word.begin() + 1, word.end(), [](char c) {
           return std::isdigit(static_cast<unsigned char>(c)) || c == 'N' || c == 'n';
         });
}

/// An exchange that starts with a signal report ("579 MA") gives the report to the QSO's
/// received report when that is empty, and the rest as the exchange.
std::string SplitReport(const std::string& exchange, std::string& report) {
  std::vector<std::string_view> words = SplitWords(exchange, " ");
  if (words.size() < 2 || !IsReport(words[0]))
    return std::string(Trim(exchange));
  if (report.empty())
    report = std::string(words[0]);
  words.erase(words.begin());
  return Join(std::vector<std::string>(words.begin(), words.end()), " ");
}

bool IsCallsign(std::string_view call) {
  return call.size() >= 3 && call.size() <= 12 && std::all_of(call.begin(), call.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c)) || c == '/';
         });
}

/// "123456" or "1234" as "12:34"; nothing for another text.
std::optional<std::string> AdifTime(std::string_view text) {
  if ((text.size() != 4 && text.size() != 6) ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return ParseTimeOfDay(std::string(text.substr(0, 2)) + ":" + std::string(text.substr(2, 2)));
}

std::int64_t AdifHz(std::string_view mhz) {
  std::string text(Trim(mhz));
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !(value > 0 && value < 1e6))
    return 0;
  return static_cast<std::int64_t>(value * 1e6 + 0.5);
}

/// The low edge of an ADIF band such as "20m".
std::int64_t BandHz(std::string band) {
  band = UpperCase(Trim(band));
  if (band.ends_with('M'))
    band.pop_back();
  const UsualBand* usual = FindUsualBand(band);
  return usual ? usual->low : 0;
}

void AddCandidate(std::vector<std::string>& out, std::string_view text) {
  std::string value(Trim(text));
  if (!value.empty() && std::find(out.begin(), out.end(), value) == out.end())
    out.push_back(value);
}

}  // namespace

WsjtxAnnouncement AnnouncementOf(const WsjtxQsoLogged& qso) {
  WsjtxAnnouncement out;
  out.call = UpperCase(Trim(qso.dx_call));
  out.has_time = qso.time_on.valid;
  if (out.has_time) {
    out.date = WsjtxDateValue(qso.time_on);
    out.time = WsjtxTimeOfDay(qso.time_on);
  }
  // Beyond any band: a frequency past 100 GHz is put on none.
  out.hz = static_cast<std::int64_t>(std::min<std::uint64_t>(qso.tx_hz, 100000000000u));
  out.mode = UpperCase(Trim(qso.mode));
  out.rst_sent = std::string(Trim(qso.report_sent));
  out.rst_rcvd = std::string(Trim(qso.report_rcvd));
  std::string ignored = out.rst_sent;
  out.sent = SplitReport(qso.exchange_sent, ignored);
  out.rcvd_given = std::string(Trim(SplitReport(qso.exchange_rcvd, out.rst_rcvd)));
  AddCandidate(out.rcvd, out.rcvd_given);
  AddCandidate(out.rcvd, qso.dx_grid);
  out.note = std::string(Trim(qso.comments));
  return out;
}

std::optional<WsjtxAnnouncement> AnnouncementOf(const AdifRecord& record, std::string& error) {
  WsjtxAnnouncement out;
  out.call = UpperCase(Trim(record.Get("CALL")));
  std::string date = record.Get("QSO_DATE");
  std::optional<double> day;
  if (date.size() == 8)
    day = ParseIsoDate(date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2));
  std::optional<std::string> time = AdifTime(record.Get("TIME_ON"));
  if (!day || !time) {
    error = "ADIF record of " + (out.call.empty() ? std::string("no call") : out.call) +
            " has no valid QSO_DATE and TIME_ON";
    return std::nullopt;
  }
  out.has_time = true;
  out.date = *day;
  out.time = *time;
  out.hz = AdifHz(record.Get("FREQ"));
  if (out.hz == 0)
    out.hz = BandHz(record.Get("BAND"));
  std::string submode = record.Get("SUBMODE");
  out.mode = UpperCase(Trim(submode.empty() ? record.Get("MODE") : submode));
  out.rst_sent = std::string(Trim(record.Get("RST_SENT")));
  out.rst_rcvd = std::string(Trim(record.Get("RST_RCVD")));
  out.sent = std::string(Trim(record.Get("STX_STRING")));
  if (out.sent.empty())
    out.sent = std::string(Trim(record.Get("STX")));
  out.rcvd_given = std::string(Trim(record.Get("SRX_STRING")));
  if (out.rcvd_given.empty())
    out.rcvd_given = std::string(Trim(record.Get("SRX")));
  for (const char* name : {"SRX_STRING", "SRX", "STATE", "CQZ", "ITUZ", "GRIDSQUARE"})
    AddCandidate(out.rcvd, record.Get(name));
  out.note = std::string(Trim(record.Get("COMMENT")));
  return out;
}

std::string ContestModeOf(const std::vector<std::string>& modes, std::string_view mode) {
  auto has = [&](std::string_view name) {
    return std::find(modes.begin(), modes.end(), name) != modes.end();
  };
  std::string upper = UpperCase(mode);
  if (upper == "CW")
    return has("CW") ? "CW" : "";
  if (upper == "SSB" || upper == "USB" || upper == "LSB" || upper == "AM" || upper == "FM")
    return has("SSB") ? "SSB" : "";
  for (const char* digital : {"DIGI", "RTTY", "PSK"}) {
    if (has(digital))
      return digital;
  }
  return {};
}

WsjtxQso ContestQsoOf(const Session& session, const BandPlan& plan, const WsjtxAnnouncement& qso) {
  WsjtxQso out;
  const TContest& contest = session.Contest();
  if (!IsCallsign(qso.call)) {
    out.refusal = qso.call.empty() ? std::string("a QSO without a callsign")
                                   : "'" + qso.call + "' is no callsign";
    return out;
  }
  if (!qso.has_time) {
    out.refusal = qso.call + ": the QSO has no time on";
    return out;
  }
  TQSOData record;
  record.Call = qso.call;
  record.QSODate = qso.date;
  record.QSOTime = qso.time;
  record.Mode = ContestModeOf(contest.Modes, qso.mode);
  if (record.Mode.empty()) {
    out.refusal = qso.call + ": " + contest.Name + " has no mode for " +
                  (qso.mode.empty() ? std::string("an unnamed mode") : qso.mode) + " (modes " +
                  Join(contest.Modes, " ") + ")";
    return out;
  }
  record.Band = ChooseBandMode(plan, {qso.hz, "", ""}, contest.Bands, contest.Modes).band;
  if (record.Band.empty()) {
    out.refusal = qso.call + ": " + std::to_string(qso.hz / 1000) + " kHz is on no band of " +
                  contest.Name + " (bands " + Join(contest.Bands, " ") + ")";
    return out;
  }
  record.RprtSent = qso.rst_sent.empty() ? DefaultReport(record.Mode) : qso.rst_sent;
  record.RprtRcvd = qso.rst_rcvd.empty() ? DefaultReport(record.Mode) : qso.rst_rcvd;
  record.NumberSent = qso.sent;
  if (record.NumberSent.empty()) {
    try {
      record.NumberSent = session.NextSentExchange(record.Band);
    } catch (const ConversionError&) {
      // The last sent exchange is no number to count from: the QSO goes without one.
    }
  }
  // A locator is never taken for a serial number: without a candidate that counts, only the
  // exchange itself is logged.
  record.NumberRcvd = qso.rcvd_given;
  TCountry country;
  session.FindCountry(record.Call, country);
  for (const std::string& candidate : qso.rcvd) {
    // A locator, zone or state field stands in only where the exchange is such a fixed value.
    if (candidate != qso.rcvd_given && !session.TakesFixedExchange(record.Call, candidate))
      continue;
    TQSOData trial = record;
    trial.NumberRcvd = candidate;
    std::vector<MultMatch> matches = QueryMultipliers(session.Scoring(), trial, country);
    if (ExchangeWarning(session.Scoring(), trial, matches).empty()) {
      record.NumberRcvd = candidate;
      break;
    }
  }
  record.Note = qso.note;
  CutToFieldSizes(record);
  out.record = std::move(record);
  return out;
}

}  // namespace mirva
