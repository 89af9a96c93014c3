#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_notifier.h"
#include "reference_files.h"
#include "session/session.h"
#include "test_dir.h"
#include "text/cp1251.h"

namespace mirva {

/// A session in a fresh folder holding the contest tests' country files and the shipped
/// domestic lists.
class SessionTest : public ::testing::Test {
 protected:
  TestDir dir;
  FaultyFileSystem fs;
  RecordingNotifier notifier;
  Session session{fs, notifier, dir.path()};

  void SetUp() override {
    notifier.answer = false;
    CopyReferenceFiles(dir.path());
    session.Start();
  }

  /// Writes a points table with a different number for every pair of zones: a contest that
  /// counts by one refuses to rescore without it.
  void WritePointsTable() {
    std::string table;
    for (int r = 0; r < TPointsTable::kZones; ++r) {
      for (int c = 0; c < TPointsTable::kZones; ++c)
        table += std::to_string(r * 3 + c + 1) + ' ';
      table += "\r\n";
    }
    dir.Write(kPointsTableFileName, table);
  }

  /// Sets up the contest of that (UTF-8) name for a station with this callsign and the
  /// country, zones and continent the country file gives it, plus `state`.
  void Setup(std::string_view name, std::string_view call, std::string_view state = "") {
    TStationCFG station;
    station.Call = call;
    FillStationFromCall(session.countries(), call, station);
    station.State = state;
    session.SetStation(station);
    ASSERT_TRUE(session.SetupContest(Utf8ToCp1251(name))) << name;
  }

  /// A QSO as a save builds it: the country prefix found for the callsign.
  TQSOData Qso(std::string_view call, std::string_view band, std::string_view mode,
               std::string_view rcvd = "", std::string_view time = "12:00") const {
    TQSOData q;
    q.QSOTime = time;
    q.Call = call;
    q.Band = band;
    q.Mode = mode;
    q.NumberRcvd = rcvd;
    TCountry country;
    session.FindCountry(call, country);
    q.CountryPrefix = country.Prefix;
    return q;
  }

  /// The country of a callsign as the session finds it; cleared when none matches.
  TCountry Worked(std::string_view call) const {
    TCountry country;
    session.FindCountry(call, country);
    return country;
  }

  int32_t BasePoints(std::string_view call, std::string_view band, std::string_view mode,
                     std::string_view rcvd = "") const {
    return session.ComputeQsoPoints(Qso(call, band, mode, rcvd)).Points;
  }

  /// What no operation would make: records as an older program stored them, totals and
  /// lists set by hand.
  LogStore& RawLog() { return session.log_; }
  ContestTotals& RawTotals() { return session.totals_; }
  ContestState& RawContest() { return session.contest_; }

  static std::vector<std::string> Keys(const TMultArray& list) {
    std::vector<std::string> keys;
    for (const TMultEntry& entry : list)
      keys.push_back(entry.Name);
    return keys;
  }
};

}  // namespace mirva
