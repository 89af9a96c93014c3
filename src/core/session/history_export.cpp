#include "session/history_export.h"

#include <unordered_map>
#include <vector>

#include "history/call_history.h"
#include "history/history_columns.h"
#include "session/session.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

/// The value as a field: quoted when it holds a separator or a quote.
std::string Field(std::string_view value) {
  if (value.find_first_of(",;\"") == std::string_view::npos)
    return std::string(value);
  std::string quoted = "\"";
  for (char c : value)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

HistoryExport ExportCallHistory(const Session& session) {
  HistoryExport out;
  if (!session.HasContest() || HistoryColumns(session.Contest().Name).empty())
    return out;
  out.column = HistoryColumns(session.Contest().Name).front();
  std::vector<std::string> order;
  std::unordered_map<std::string, std::string> last;
  for (const TQSOData& qso : session.log().QSOLog()) {
    std::string call = UpperCase(Trim(qso.Call));
    std::string exchange(Trim(qso.NumberRcvd));
    if (call.empty() || !session.TakesFixedExchange(call, exchange))
      continue;
    auto [at, added] = last.try_emplace(call, exchange);
    if (added)
      order.push_back(call);
    else
      at->second = exchange;
  }
  std::string text = std::string(kHistoryHeader) + ",Call," + out.column + "\r\n";
  for (const std::string& call : order)
    text += Field(call) + "," + Field(last[call]) + "\r\n";
  out.text = Cp1251ToUtf8(text);
  out.calls = order.size();
  return out;
}

}  // namespace mirva
