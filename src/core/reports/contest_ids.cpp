#include "reports/contest_ids.h"

namespace mirva {

namespace {

struct ContestIdRow {
  std::string_view display_name;
  StandardContestIds ids;
};

// The Cabrillo names are those the sponsors' log robots take; the ADIF values are from the
// CONTEST_ID enumeration, which spells some contests differently. The Russian championship
// and GACW have no standard name in either; the Cabrillo log keeps the name it always had.
constexpr ContestIdRow kRows[] = {
    {"CQ WW DX Contest (CW)", {"CQ-WW-CW", "CQ-WW-CW"}},
    {"CQ WW DX Contest (SSB)", {"CQ-WW-SSB", "CQ-WW-SSB"}},
    {"CQ WW WPX Contest (CW)", {"CQ-WPX-CW", "CQ-WPX-CW"}},
    {"CQ WW WPX Contest (SSB)", {"CQ-WPX-SSB", "CQ-WPX-SSB"}},
    {"ARRL International DX Contest (CW)", {"ARRL-DX-CW", "ARRL-DX-CW"}},
    {"ARRL International DX Contest (SSB)", {"ARRL-DX-SSB", "ARRL-DX-SSB"}},
    {"Russian DX contest", {"RDXC", "RDXC"}},
    {"CQ WW 160m DX contest (CW)", {"CQ-160-CW", "CQ-160-CW"}},
    {"CQ WW 160m DX contest (SSB)", {"CQ-160-SSB", "CQ-160-SSB"}},
    {"ARRL 10 meter Contest", {"ARRL-10", "ARRL-10"}},
    {"Japan International DX Contest (HF CW)", {"JIDX-CW", "JIDX-CW"}},
    {"Japan International DX Contest (LF CW)", {"JIDX-CW", "JIDX-CW"}},
    {"Japan International DX Contest (PHONE)", {"JIDX-SSB", "JIDX-SSB"}},
    {"ARI International DX Contest", {"ARI-DX", "ARI-DX"}},
    {"SP DX Contest", {"SPDXC", "SPDXContest"}},
    {"King of Spain Contest (CW)", {"EA-MAJESTAD-CW", "EA-MAJESTAD-CW"}},
    {"King of Spain Contest (SSB)", {"EA-MAJESTAD-SSB", "EA-MAJESTAD-SSB"}},
    {"UBA DX Contest (CW)", {"UBA-DX-CW", "UBA-DX-CW"}},
    {"UBA DX Contest (SSB)", {"UBA-DX-SSB", "UBA-DX-SSB"}},
    {"REF contest (CW) Non France station", {"REF-CW", "REF-CW"}},
    {"REF contest (SSB) Non France station", {"REF-SSB", "REF-SSB"}},
    {"Hungarian DX Contest", {"HA-DX", "HA-DX"}},
    {"YU DX Contest", {"YUDXC", "YUDXC"}},
    {"HOLYLAND DX Contest", {"HOLYLAND", "HOLYLAND"}},
    {"Helvetia contest", {"HELVETIA", "HELVETIA"}},
    {"DARC 10m-Contest", {"DARC-10", "DARC-10"}},
    {"CQ-M International DX Contest", {"CQ-M", "CQ-M"}},
    {"CQ WW RTTY WPX Contest", {"CQ-WPX-RTTY", "CQ-WPX-RTTY"}},
    {"ARRL RTTY Round-Up Contest", {"ARRL-RTTY", "ARRL-RTTY"}},
    {"EA WW RTTY Contest", {"EA-RTTY", "EA-WW-RTTY"}},
    {"SP DX RTTY Contest", {"SPDXC-RTTY", "SP-DX-RTTY"}},
    {"VOLTA RTTY WW Contest", {"VOLTA-RTTY", "VOLTA-RTTY"}},
    {"Anatolian WW RTTY Contest", {"ANATOLIAN-RTTY", "ANATOLIAN-RTTY"}},
};

}  // namespace

StandardContestIds StandardIdsOf(std::string_view display_name) {
  for (const ContestIdRow& row : kRows) {
    if (row.display_name == display_name)
      return row.ids;
  }
  return {};
}

}  // namespace mirva
