#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "contest/country_db.h"
#include "contest/domestic.h"
#include "file_system.h"
#include "log/log_store.h"
#include "session/notifier.h"

namespace mirva {

inline constexpr char kCountryFileName[] = "CTY.DAT";
inline constexpr char kP150CountryFileName[] = "P-150-C.DAT";
inline constexpr char kPointsTableFileName[] = "points.tbl";

/// The program's whole state for one working directory: every reference file and the log
/// are read from and written to that directory.
class Session {
 public:
  Session(FileSystem& fs, Notifier& notifier, std::string dir);

  /// Loads the country file and the log, and tells the operator when a partial record had
  /// to be set aside. Throws IoError when the log cannot be read or created.
  void Start();

  /// Loads "P-150-C.DAT" for 2 and "CTY.DAT" otherwise; returns false (both lists empty) when
  /// the file cannot be read.
  bool LoadCountryFile(int which);
  /// Replaces DomesticList by the named file's entries (none when it cannot be read).
  void LoadDomesticList(const std::string& file_name);
  /// Fills PointsTable from "points.tbl" (all zero when it cannot be read); throws
  /// ConversionError at the first missing or bad cell, keeping the cells before it.
  void LoadPointsTable();

  /// The country of a callsign, as FindCountry of the country database decides it.
  bool FindCountry(std::string_view call, TCountry& rec) const;

  const std::string& dir() const { return dir_; }
  std::string PathOf(const std::string& name) const { return log.PathOf(name); }
  FileSystem& fs() { return fs_; }
  Notifier& notifier() { return notifier_; }

  LogStore log;
  CountryDatabase countries;
  std::vector<TDomestic> DomesticList;
  TPointsTable PointsTable;

 private:
  FileSystem& fs_;
  Notifier& notifier_;
  std::string dir_;
};

}  // namespace mirva
