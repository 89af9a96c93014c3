#include "session/session.h"

#include <optional>

namespace mirva {

Session::Session(FileSystem& fs, Notifier& notifier, std::string dir)
    : log(fs, dir), fs_(fs), notifier_(notifier), dir_(std::move(dir)) {}

void Session::Start() {
  LoadCountryFile(1);
  LogLoadReport report = log.LoadLog();
  if (report.torn_bytes > 0) {
    notifier_.ShowMessage(
        "The log file " + std::string(kLogFileName) + " ended with a partial record of " +
        std::to_string(report.torn_bytes) + " bytes. The " + std::to_string(log.QSOLog().size()) +
        " complete QSOs were loaded; the partial record was saved as " + report.torn_copy + ".");
  }
}

bool Session::LoadCountryFile(int which) {
  std::optional<std::string> text =
      fs_.ReadFile(PathOf(which == 2 ? kP150CountryFileName : kCountryFileName));
  countries.Load(text ? *text : std::string());
  return text.has_value();
}

void Session::LoadDomesticList(const std::string& file_name) {
  std::optional<std::string> text = fs_.ReadFile(PathOf(file_name));
  DomesticList = text ? ParseDomesticList(*text) : std::vector<TDomestic>();
}

void Session::LoadPointsTable() {
  PointsTable = TPointsTable();
  if (std::optional<std::string> text = fs_.ReadFile(PathOf(kPointsTableFileName)))
    ParsePointsTable(*text, PointsTable);
}

bool Session::FindCountry(std::string_view call, TCountry& rec) const {
  return countries.FindCountry(call, rec, true);
}

}  // namespace mirva
