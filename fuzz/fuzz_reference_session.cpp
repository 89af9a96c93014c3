// Sets up one of the contests from arbitrary reference files, then logs a fixed set of QSOs
// and one QSO with the first prefix of each of the first countries, and builds the reports.
// Input: the first byte picks the contest and the station; the rest holds the country file,
// the domestic list and the points table, separated by lines "%%". Both country files get the
// first text, and every domestic list the second.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "build_reports.h"
#include "contest/rules/rules.h"
#include "error.h"
#include "memory_file_system.h"
#include "reference/station.h"
#include "session/session.h"
#include "text/strings.h"

namespace {

constexpr std::size_t kMaxCountries = 8;

struct Qso {
  const char* call;
  const char* band;
  const char* mode;
  const char* rcvd;
};

constexpr Qso kQsos[] = {
    {"UA3ABC", "20", "CW", "16"},  {"DL1ABC", "40", "CW", "14"}, {"JA1XYZ", "15", "SSB", "25"},
    {"W1AW", "10", "SSB", "MA"},   {"EA8AA", "80", "CW", "TF"},  {"I2ABC", "20", "CW", "MI"},
    {"HB9AA", "20", "RTTY", "ZH"}, {"4X4AA", "160", "CW", "TA"}, {"UA9XX/P", "40", "CW", "17"},
    {"R3A", "20", "CW", "MO"},     {"UA3ABC", "20", "CW", "16"}, {"SP5ABC", "10", "CW", "001"},
};

/// The input's parts between lines "%%", three of them, the missing ones empty.
std::vector<std::string> Parts(std::string_view text) {
  std::vector<std::string> parts(1);
  for (std::string_view line : mirva::SplitLines(text)) {
    if (line == "%%" && parts.size() < 3) {
      parts.emplace_back();
    } else {
      parts.back() += line;
      parts.back() += "\r\n";
    }
  }
  parts.resize(3);
  return parts;
}

void Log(mirva::Session& session, const mirva::TQSOData& qso) {
  try {
    session.SaveQso(qso);
  } catch (const mirva::ConversionError&) {
    // A zone that is not a number fails this QSO's scoring: nothing is logged.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  std::vector<std::string> parts =
      Parts(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  mirva::MemoryFileSystem fs;
  fs.files["d/" + std::string(mirva::kCountryFileName)] = parts[0];
  fs.files["d/" + std::string(mirva::kP150CountryFileName)] = parts[0];
  for (const char* name : {"Spain.DOM", "ITALY.DOM", "Helvetia.DOM", "RUS.DOM"})
    fs.files[std::string("d/") + name] = parts[1];
  fs.files["d/" + std::string(mirva::kPointsTableFileName)] = parts[2];
  mirva::SilentNotifier notifier;
  mirva::Session session(fs, notifier, "d");
  session.Start();

  auto contests = mirva::AllContestRules();
  std::size_t pick = data[0];
  const char* calls[] = {"DL1ABC", "UA3ABC", "EA3XX", "JA1ABC", "I2ABC", "UA9XX"};
  mirva::TStationCFG station;
  station.Call = calls[(pick / contests.size()) % std::size(calls)];
  mirva::FillStationFromCall(session.countries(), station.Call, station);
  session.SetStation(station);
  session.SelectContest(contests[pick % contests.size()]->name);
  if (!session.CountryFileProblem().empty()) {
    // A country file that cannot be used refuses every save and rescoring; the reports remain.
    mirva_fuzz::BuildReports(session);
    return 0;
  }

  for (const Qso& q : kQsos) {
    mirva::TQSOData qso;
    qso.Call = q.call, qso.Band = q.band, qso.Mode = q.mode, qso.NumberRcvd = q.rcvd;
    qso.QSOTime = "12:00";
    Log(session, qso);
  }
  std::vector<mirva::TCountry> countries = session.countries().CountryList();
  for (std::size_t i = 0; i < countries.size() && i < kMaxCountries; ++i) {
    mirva::TQSOData qso;
    qso.Call = countries[i].Prefix + "AA";
    qso.Band = "20", qso.Mode = "CW", qso.NumberRcvd = countries[i].CQZone;
    qso.QSOTime = "12:01";
    Log(session, qso);
  }
  int64_t logged_points = session.totals().TotalPoints;
  session.RebuildTotals();
  if (session.totals().TotalPoints != logged_points)
    __builtin_trap();
  mirva_fuzz::BuildReports(session);
  try {
    session.RescoreLog();
  } catch (const mirva::IoError&) {
    // A points table that cannot be loaded refuses the rescoring.
  }
  mirva_fuzz::BuildReports(session);
  return 0;
}
