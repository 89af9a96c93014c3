#include "workspace/report_headers.h"

#include "text/strings.h"

namespace mirva {

namespace {

std::string TextOf(const HeaderTexts& texts, const char* name) {
  auto found = texts.find(name);
  return found == texts.end() ? "" : found->second;
}

/// A memo's lines; a break at the very end ends the last line rather than starting another.
std::vector<std::string> LinesOf(const HeaderTexts& texts, const char* name) {
  std::vector<std::string> lines;
  std::string text = TextOf(texts, name);
  if (text.empty())
    return lines;
  if (text.back() == '\n')
    text.pop_back();
  std::size_t start = 0;
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', start)) {
    lines.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

CabrilloHeader StoredCabrilloHeader(const HeaderTexts& texts) {
  CabrilloHeader header;
  const std::pair<const char*, std::string CabrilloHeader::*> fields[] = {
      {"eName", &CabrilloHeader::Name},
      {"cbARRL", &CabrilloHeader::ArrlSection},
      {"cbOperators", &CabrilloHeader::CategoryOperator},
      {"cbBands", &CabrilloHeader::CategoryBand},
      {"cbPower", &CabrilloHeader::CategoryPower},
      {"cbMode", &CabrilloHeader::CategoryMode},
      {"eClub", &CabrilloHeader::Club},
      {"eOperators", &CabrilloHeader::Operators},
      {"eLocation", &CabrilloHeader::Location},
      {"cbOverlay", &CabrilloHeader::CategoryOverlay},
      {"eEmail", &CabrilloHeader::Email},
      {"eCity", &CabrilloHeader::City},
      {"eStateProvince", &CabrilloHeader::StateProvince},
      {"ePostalCode", &CabrilloHeader::PostalCode},
      {"eCountry", &CabrilloHeader::Country}};
  for (const auto& [name, member] : fields)
    header.*member = TextOf(texts, name);
  header.Address = LinesOf(texts, "mAddress");
  header.Soapbox = LinesOf(texts, "mSoapbox");
  return header;
}

ReportHeader StoredSummaryHeader(const HeaderTexts& texts) {
  ReportHeader header;
  header.Class = TextOf(texts, "eClass");
  header.Period = TextOf(texts, "ePeriod");
  header.Address = LinesOf(texts, "mAddress");
  header.Equipment = LinesOf(texts, "mEquipment");
  header.Comments = LinesOf(texts, "mComments");
  return header;
}

}  // namespace mirva
