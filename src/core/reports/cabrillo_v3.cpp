#include "reports/cabrillo_v3.h"

#include "log/date_value.h"
#include "reports/contest_ids.h"
#include "session/session.h"
#include "text/c_format.h"
#include "text/strings.h"

namespace mirva {

namespace {

/// The 3.0 category tags a 2.0 operator category stands for; empty where it says nothing.
struct Categories {
  std::string_view operator_kind;
  std::string_view assisted;
  std::string_view station;
  std::string_view transmitter;
  std::string_view power;
};

struct CategoryRow {
  std::string_view category;
  Categories tags;
};

constexpr CategoryRow kCategoryRows[] = {
    {"SINGLE-OP", {"SINGLE-OP", "NON-ASSISTED", "", "ONE", ""}},
    {"SINGLE-OP-ASSISTED", {"SINGLE-OP", "ASSISTED", "", "ONE", ""}},
    {"SINGLE-OP-QRP-PORTABLE", {"SINGLE-OP", "NON-ASSISTED", "PORTABLE", "ONE", "QRP"}},
    {"MULTI-ONE", {"MULTI-OP", "", "", "ONE", ""}},
    {"MULTI-TWO", {"MULTI-OP", "", "", "TWO", ""}},
    {"MULTI-MULTI", {"MULTI-OP", "", "", "UNLIMITED", ""}},
    {"MULTI-LIMITED", {"MULTI-OP", "", "", "LIMITED", ""}},
    {"MULTI-UNLIMITED", {"MULTI-OP", "", "", "UNLIMITED", ""}},
    {"SCHOOL-CLUB", {"MULTI-OP", "", "SCHOOL", "", ""}},
    {"ROVER", {"SINGLE-OP", "", "ROVER", "", ""}},
    {"CHECKLOG", {"CHECKLOG", "", "", "", ""}},
};

/// The choices of the operator-category list end in a blank or a full stop here and there; a
/// category typed in that is not on the list goes out as it was typed.
Categories CategoriesOf(std::string_view category) {
  std::string_view key = Trim(category);
  if (key.ends_with('.'))
    key.remove_suffix(1);
  for (const CategoryRow& row : kCategoryRows) {
    if (row.category == key)
      return row.tags;
  }
  return {Trim(category), "", "", "", ""};
}

/// Adds "TAG: value" when the value is not blank.
void AddOptional(ReportLines& lines, std::string_view tag, std::string_view value) {
  value = Trim(value);
  if (!value.empty())
    lines.push_back(std::string(tag) + ": " + std::string(value));
}

void AddEach(ReportLines& lines, std::string_view tag, const std::vector<std::string>& values) {
  for (const std::string& value : values)
    AddOptional(lines, tag, value);
}

void AddCategories(ReportLines& lines, const CabrilloHeader& header) {
  Categories tags = CategoriesOf(header.CategoryOperator);
  std::string_view power = Trim(header.CategoryPower);
  AddOptional(lines, "CATEGORY-OPERATOR", tags.operator_kind);
  AddOptional(lines, "CATEGORY-ASSISTED", tags.assisted);
  AddOptional(lines, "CATEGORY-BAND", header.CategoryBand);
  AddOptional(lines, "CATEGORY-MODE", header.CategoryMode);
  AddOptional(lines, "CATEGORY-POWER", power.empty() ? tags.power : power);
  AddOptional(lines, "CATEGORY-STATION", tags.station);
  AddOptional(lines, "CATEGORY-TRANSMITTER", tags.transmitter);
  AddOptional(lines, "CATEGORY-OVERLAY", header.CategoryOverlay);
}

void AddAddress(ReportLines& lines, const CabrilloHeader& header) {
  AddEach(lines, "ADDRESS", header.Address);
  AddOptional(lines, "ADDRESS-CITY", header.City);
  AddOptional(lines, "ADDRESS-STATE-PROVINCE", header.StateProvince);
  AddOptional(lines, "ADDRESS-POSTALCODE", header.PostalCode);
  AddOptional(lines, "ADDRESS-COUNTRY", header.Country);
}

}  // namespace

std::string Cabrillo3Mode(std::string_view mode) {
  // Cabrillo has no code for pictures; sponsors count SSTV with the data modes.
  if (mode == "SSTV")
    return "DG";
  return CabrilloMode(mode);
}

ReportLines BuildCabrillo3Log(const Session& session, const CabrilloHeader& header,
                              std::string_view program_version) {
  const TContest& contest = session.Contest();
  std::string_view name = StandardIdsOf(contest.Name).cabrillo3;
  ReportLines lines = {
      "START-OF-LOG: 3.0",
      "CONTEST: " + std::string(name.empty() ? contest.CabrilloName : name),
      "CALLSIGN: " + header.Call,
  };
  AddOptional(lines, "LOCATION",
              Trim(header.Location).empty() ? header.ArrlSection : header.Location);
  AddCategories(lines, header);
  lines.push_back("CLAIMED-SCORE: " + std::to_string(ClaimedScore(session.totals())));
  AddOptional(lines, "CLUB", header.Club);
  lines.push_back("CREATED-BY: Mirva contest module " + std::string(program_version));
  AddOptional(lines, "NAME", header.Name);
  AddOptional(lines, "EMAIL", header.Email);
  AddAddress(lines, header);
  AddOptional(lines, "OPERATORS", header.Operators);
  AddEach(lines, "SOAPBOX", header.Soapbox);
  if (contest.CabrilloFormat == 1) {
    for (const TQSOData& q : session.log().QSOLog())
      // Every built-in contest exchanges a report and one more item each way, which is the 3.0
      // template "freq mo date time call rst exch call rst exch t", the same columns as 2.0.
      lines.push_back(CabrilloQsoLine(q, header.Call, Cabrillo3Mode(q.Mode)));
  }
  lines.push_back("END-OF-LOG:");
  return lines;
}

}  // namespace mirva
