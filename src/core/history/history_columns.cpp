#include "history/history_columns.h"

#include <array>

namespace mirva {

namespace {

struct ContestColumns {
  std::string_view contest;
  std::array<std::string_view, 2> columns;
};

// Every contest of the registry has a line, so that a new one is decided here too. An empty
// list: the received exchange changes from QSO to QSO (a serial number), and no history can
// tell it.
constexpr ContestColumns kTable[] = {
    {"CQ WW DX Contest (SSB)", {"CqZone"}},
    {"CQ WW DX Contest (CW)", {"CqZone"}},
    {"GACW CW DX Contest", {"CqZone"}},
    {"YU DX Contest", {"ITUZone"}},
    {"ARRL International DX Contest (CW)", {"State", "Power"}},
    {"ARRL International DX Contest (SSB)", {"State", "Power"}},
    {"ARRL 10 meter Contest", {"State", "Exch1"}},
    {"ARRL RTTY Round-Up Contest", {"State", "Exch1"}},
    {"CQ WW 160m DX contest (SSB)", {"State", "CqZone"}},
    {"CQ WW 160m DX contest (CW)", {"State", "CqZone"}},
    {"Japan International DX Contest (HF CW)", {"Exch1", "CqZone"}},
    {"Japan International DX Contest (LF CW)", {"Exch1", "CqZone"}},
    {"Japan International DX Contest (PHONE)", {"Exch1", "CqZone"}},
    {"Russian DX contest", {"Exch1", "Loc1"}},
    {"REF contest (CW) Non France station", {"Exch1", "Sect"}},
    {"REF contest (SSB) Non France station", {"Exch1", "Sect"}},
    {"ARI International DX Contest", {"Exch1", "Loc1"}},
    {"EA WW RTTY Contest", {"Exch1", "Loc1"}},
    {"King of Spain Contest (CW)", {"Exch1", "Loc1"}},
    {"King of Spain Contest (SSB)", {"Exch1", "Loc1"}},
    {"HOLYLAND DX Contest", {"Exch1", "Loc1"}},
    {"SP DX Contest", {"Exch1", "Loc1"}},
    {"SP DX RTTY Contest", {"Exch1", "Loc1"}},
    {"Hungarian DX Contest", {"Exch1"}},
    {"CQ WW WPX Contest (CW)", {}},
    {"CQ WW WPX Contest (SSB)", {}},
    {"CQ WW RTTY WPX Contest", {}},
    {"DARC 10m-Contest", {}},
    {"UBA DX Contest (CW)", {}},
    {"UBA DX Contest (SSB)", {}},
    {"Helvetia contest", {}},
    {"VOLTA RTTY WW Contest", {}},
    {"Anatolian WW RTTY Contest", {}},
    {"CQ-M International DX Contest", {}},
    // The Russian championship by telegraph and by telephone, in Windows-1251.
    {"\xD7\xE5\xEC\xEF\xE8\xEE\xED\xE0\xF2/\xCA\xF3\xE1\xEE\xEA \xD0\xEE\xF1\xF1\xE8\xE8 "
     "\xF2\xE5\xEB\xE5\xE3\xF0\xE0\xF4\xEE\xEC",
     {}},
    {"\xD7\xE5\xEC\xEF\xE8\xEE\xED\xE0\xF2/\xCA\xF3\xE1\xEE\xEA \xD0\xEE\xF1\xF1\xE8\xE8 "
     "\xF2\xE5\xEB\xE5\xF4\xEE\xED\xEE\xEC",
     {}},
};

}  // namespace

std::span<const std::string_view> HistoryColumns(std::string_view contest, bool* known) {
  for (const ContestColumns& line : kTable) {
    if (line.contest != contest)
      continue;
    if (known)
      *known = true;
    std::size_t count = line.columns[0].empty() ? 0 : line.columns[1].empty() ? 1 : 2;
    return std::span<const std::string_view>(line.columns.data(), count);
  }
  if (known)
    *known = false;
  return {};
}

}  // namespace mirva
