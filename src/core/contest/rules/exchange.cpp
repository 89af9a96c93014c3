#include "contest/rules/exchange.h"

#include <algorithm>

#include "error.h"
#include "reference/callsign.h"
#include "session/serial_source.h"
#include "text/strings.h"

namespace mirva {

bool IsNumeric(std::string_view text) {
  try {
    StrToInt(text);
    return true;
  } catch (const ConversionError&) {
    return false;
  }
}

std::string PadTo(std::string_view text, std::size_t n) {
  return PadLeft(text, n, '0');
}

std::string Pad3(std::string_view text) {
  return IsNumeric(text) ? PadTo(text, 3) : std::string(text);
}

std::string SplitForm(std::string_view text) {
  std::string digits;
  std::string rest;
  for (char c : text)
    (c >= '0' && c <= '9' ? digits : rest) += c;
  if (!IsNumeric(digits))
    return std::string(text);
  return PadTo(digits, 3) + rest;
}

std::string_view ExchangeWord(std::string_view text, std::size_t n) {
  std::vector<std::string_view> words = SplitWords(text, " -/", n);
  return n >= 1 && words.size() >= n ? words[n - 1] : std::string_view();
}

std::string PreviousExchange(std::span<const TQSOData> previous) {
  return previous.empty() ? std::string() : previous.front().NumberRcvd;
}

std::string PreviousWhen(bool applies, std::span<const TQSOData> previous) {
  return applies ? PreviousExchange(previous) : std::string();
}

std::string Pad3Number(long long n) {
  return PadTo(std::to_string(n), 3);
}

std::string LastSentExchange(const RuleContext& ctx) {
  QsoLog log = ctx.log.QSOLog();
  return log.empty() ? std::string() : log.back().NumberSent;
}

std::string LastGivenSentExchange(const RuleContext& ctx) {
  QsoLog log = ctx.log.QSOLog();
  for (std::size_t i = log.size(); i-- > 0;) {
    std::string_view sent = log.Record(i).NumberSent();
    if (!Trim(sent).empty())
      return std::string(sent);
  }
  return {};
}

std::string NextSerial(const RuleContext& ctx) {
  // A station of a group sends the group's numbers; without one it counts on from the log,
  // never at or below a number it sent itself.
  uint64_t after_own = 0;
  if (ctx.serials) {
    if (std::optional<uint64_t> number = ctx.serials->Next(ctx.band))
      return Pad3Number(static_cast<long long>(*number));
    after_own = ctx.serials->LastSent(ctx.band);
  }
  std::string last = LastGivenSentExchange(ctx);
  if (last.empty())
    return Pad3Number(static_cast<long long>(after_own) + 1);
  if (!IsNumeric(last)) {
    if (after_own > 0)
      return Pad3Number(static_cast<long long>(after_own) + 1);
    throw ConversionError::Explained("The last sent exchange " + ShortQuote(last) +
                                     " is not a serial number; type the number to send in Sent.");
  }
  long long from_log = static_cast<long long>(StrToInt(last)) + 1;
  return Pad3Number(std::max(from_log, static_cast<long long>(after_own) + 1));
}

std::string NextLeadingSerial(const RuleContext& ctx) {
  if (ctx.log.QSOLog().empty())
    return "001";
  return Pad3Number(static_cast<long long>(LeadingNumber(LastSentExchange(ctx))) + 1);
}

std::string NormalizePad3(const TQSOData& qso, const RuleContext&) {
  return Pad3(qso.NumberRcvd);
}

std::string PredictPrevious(std::string_view, bool full, std::span<const TQSOData> previous,
                            const RuleContext&) {
  return PreviousWhen(full, previous);
}

std::string SentSerial(const RuleContext& ctx) {
  return NextSerial(ctx);
}

std::string SentState(const RuleContext& ctx) {
  return ctx.StationCfg.State;
}

std::string StateOrSerial(const RuleContext& ctx, bool home) {
  return home ? ctx.StationCfg.State : NextSerial(ctx);
}

std::string ZoneKey(const MultQso& m) {
  std::string zone = Trim(m.qso.NumberRcvd).empty() ? m.worked.CQZone : m.qso.NumberRcvd;
  return m.query ? PadTo(zone, 2) : zone;
}

std::string TwoDigitNumber(std::string_view text) {
  return IsNumeric(text) ? PadTo(std::to_string(StrToInt(text)), 2) : std::string(text);
}

std::string CodeOf(std::string_view exchange) {
  std::string code;
  for (char c : exchange) {
    if ((c < '0' || c > '9') && c != ' ' && c != '-' && c != '/')
      code += c;
  }
  return code;
}

}  // namespace mirva
