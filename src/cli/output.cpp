#include <algorithm>
#include <cstdio>

#include "cli.h"
#include "log/date_value.h"
#include "session/session.h"
#include "text/cp1251.h"

namespace mirva {

void PrintLine(std::string_view text) {
  std::string line = Cp1251ToUtf8(text);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

std::string QsoLine(std::size_t number, const TQSOData& q) {
  return Join(
      {std::to_string(number), FormatIsoDate(q.QSODate), q.QSOTime, q.Call, q.Band, q.Mode,
       q.RprtSent, q.NumberSent, q.RprtRcvd, q.NumberRcvd, std::to_string(q.Points),
       std::to_string(q.Points2), std::to_string(q.Points3), q.MultsText, q.CountryPrefix, q.Note},
      "\t");
}

std::string Join(const std::vector<std::string>& texts, std::string_view separator) {
  std::string line;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0)
      line += separator;
    line += texts[i];
  }
  return line;
}

std::string NotOneOf(const std::string& value, const std::vector<std::string>& allowed,
                     std::string_view what) {
  if (std::find(allowed.begin(), allowed.end(), value) != allowed.end())
    return {};
  return std::string(what) + " '" + value + "' is not one of the contest's " + std::string(what) +
         "s: " + Join(allowed, " ");
}

void RequireOneOf(const std::optional<std::string>& value, const std::vector<std::string>& allowed,
                  std::string_view what) {
  if (!value)
    return;
  std::string why = NotOneOf(*value, allowed, what);
  if (!why.empty())
    throw UsageError(Cp1251ToUtf8(why));
}

}  // namespace mirva
