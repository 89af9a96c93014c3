// The reference files of the working directory: loading them, and telling the operator which
// of them cannot be used and what that costs.
#include <optional>
#include <string>

#include "error.h"
#include "session/session.h"
#include "text/path_text.h"

namespace mirva {

namespace {

/// Why ReadFile gave nothing for a file.
std::string_view ReadFault(FileSystem& fs, const std::string& path) {
  return fs.Exists(path) ? "cannot be read" : "is missing";
}

/// What is wrong with a country file and its text, or "" when it can be counted by.
std::string_view CountryFileFault(FileSystem& fs, const std::string& path,
                                  const std::optional<std::string>& text,
                                  const CountryDatabase& loaded) {
  if (!text)
    return ReadFault(fs, path);
  switch (CheckCountryText(*text, loaded)) {
    case CountryText::kUsable:
      break;
    case CountryText::kNoPrefixes:
      return "holds no prefixes: it is empty or not a country file";
    case CountryText::kCutShort:
      return "is cut short: its last country's prefixes do not end with \";\"";
  }
  return "";
}

/// Tells the operator that a file the contest reads gave it nothing (`fault`, "" when it did)
/// and what that costs until the file is mended.
void TellUnusable(Notifier& notifier, std::string_view what, const std::string& path,
                  std::string_view fault, std::string_view cost) {
  if (fault.empty())
    return;
  notifier.ShowError("The " + std::string(what) + " " + PathText(path) + " " + std::string(fault) +
                     ": " + std::string(cost) +
                     " until the file is there and the contest is chosen again.");
}

}  // namespace

bool Session::LoadCountryFile(int which) {
  const std::string path = PathOf(which == 2 ? kP150CountryFileName : kCountryFileName);
  std::optional<std::string> text = fs_->ReadFile(path);
  countries_.Load(text ? *text : std::string());
  country_fault_ = CountryFileFault(*fs_, path, text, countries_);
  country_problem_.clear();
  if (!country_fault_.empty()) {
    country_problem_ = "The country file " + PathText(path) + " " + country_fault_ +
                       ". No QSO can be scored without it.";
  }
  return country_problem_.empty();
}

void Session::RequireCountryFile() const {
  if (!country_problem_.empty())
    throw IoError(country_problem_);
}

bool Session::LoadDomesticList(const std::string& file_name) {
  std::optional<std::string> text = fs_->ReadFile(PathOf(file_name));
  DomesticList_ = text ? ParseDomesticList(*text) : std::vector<TDomestic>();
  return text.has_value();
}

bool Session::LoadPointsTable() {
  PointsTable_ = TPointsTable();
  std::optional<std::string> text = fs_->ReadFile(PathOf(kPointsTableFileName));
  if (text)
    ParsePointsTable(*text, PointsTable_);
  return text.has_value();
}

bool Session::LoadReferenceFiles(const ContestRules& rules) {
  if (rules.country_file != 1)
    LoadCountryFile(rules.country_file);
  // Every save refuses without it; the operator learns it when the contest is chosen.
  TellUnusable(notifier_, "country file",
               PathOf(rules.country_file == 2 ? kP150CountryFileName : kCountryFileName),
               country_fault_, "no QSO can be logged or scored");
  if (!rules.domestic_list.empty()) {
    const std::string name(rules.domestic_list);
    std::string_view fault = LoadDomesticList(name) ? "" : ReadFault(*fs_, PathOf(name));
    if (fault.empty() && DomesticList_.empty())
      fault = "is empty";
    TellUnusable(notifier_, "domestic list", PathOf(name), fault,
                 "the contest knows none of its provinces or regions");
  }
  points_problem_.clear();
  if (!rules.points_table)
    return true;
  const std::string path = PathOf(kPointsTableFileName);
  try {
    if (!LoadPointsTable()) {
      std::string_view fault = ReadFault(*fs_, path);
      TellUnusable(notifier_, "points table", path, fault,
                   "every QSO of this contest scores 0 points");
      points_problem_ = "The points table " + PathText(path) + " " + std::string(fault) + ".";
    }
    return true;
  } catch (const ConversionError& e) {
    notifier_.ShowError(e.what());
    points_problem_ = "The points table " + PathText(path) + " cannot be read: " + e.what() + ".";
    return false;
  }
}

void Session::RequirePointsTable() const {
  if (!points_problem_.empty())
    throw IoError(points_problem_ +
                  " Every QSO would score 0 points, so the log is not scored again.");
}

}  // namespace mirva
