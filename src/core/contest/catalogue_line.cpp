// Whether a line of the contest catalogue names a contest, and what keeps it from naming one.
#include "contest/catalogue_line.h"

#include <vector>

#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

/// Whether a Windows-1251 byte counts as a blank: codes 0 to 32, as Trim has it.
bool IsBlankByte(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

/// The text without blanks at its ends and with every run of blanks inside one space.
std::string SingleBlanks(std::string_view text) {
  std::string single;
  bool blank = false;
  for (char c : Trim(text)) {
    if (IsBlankByte(c)) {
      blank = true;
      continue;
    }
    if (blank)
      single += ' ';
    blank = false;
    single += c;
  }
  return single;
}

/// The contest whose name the text is when blanks and the case of letters are set aside.
const ContestRules* LooseMatch(std::string_view text) {
  std::string loose = UpperCase(SingleBlanks(text));
  for (const ContestRules* rules : AllContestRules()) {
    if (UpperCase(rules->name) == loose)
      return rules;
  }
  return nullptr;
}

/// What sets a catalogue line (in Windows-1251) apart from the name it nearly is, as what
/// "it has": "a blank at its end", "a blank at its start and its letters in another case".
std::string Differences(std::string_view line, std::string_view name) {
  std::vector<std::string> parts;
  bool at_start = IsBlankByte(line.front());
  bool at_end = IsBlankByte(line.back());
  if (at_start || at_end)
    parts.emplace_back(at_start && at_end ? "blanks at its start and end"
                       : at_start         ? "a blank at its start"
                                          : "a blank at its end");
  std::string single = SingleBlanks(line);
  if (single != Trim(line))
    parts.emplace_back("other blanks between its words");
  if (single != name)
    parts.emplace_back("its letters in another case");
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i)
    text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
  return text;
}

}  // namespace

CatalogueLine CheckCatalogueLine(std::string_view line) {
  CatalogueLine checked;
  checked.rules = FindContestRules(line);
  if (checked.rules)
    return checked;
  if (Trim(line).empty()) {
    checked.problem = "it is empty";
    return checked;
  }
  // An editor that saved the file as UTF-8 turned every Cyrillic letter into two bytes.
  std::string text(line);
  std::string utf8;
  CheckedCp1251 decoded = Utf8ToCp1251Checked(line);
  if (decoded.fault == Utf8Fault::kNone && decoded.text != text) {
    utf8 =
        std::string("it is UTF-8 text, where ") + kCatalogueFileName + " is read as Windows-1251";
    text = decoded.text;
  }
  checked.meant = LooseMatch(text);
  if (!checked.meant) {
    checked.problem = "no contest has this name";
    return checked;
  }
  std::string differences = Differences(text, checked.meant->name);
  if (utf8.empty())
    checked.problem = "it has " + differences;
  else if (differences.empty())
    checked.problem = utf8;
  else
    checked.problem = utf8 + ", and has " + differences;
  checked.problem += "; the contest is written '" + std::string(checked.meant->name) + "'";
  return checked;
}

std::string UnusableCatalogueLineMessage(std::size_t index, const CatalogueLine& line) {
  return "Line " + std::to_string(index + 1) + " of " + kCatalogueFileName +
         " names no contest: " + line.problem + ". Correct the line in " + kCatalogueFileName +
         " and choose the contest again.";
}

}  // namespace mirva
